// The capture tool where frames cannot be piped to an ffmpeg program (the
// Windows build): --video is refused with a message that says what to do
// instead, and everything else of the tool works as everywhere.
#include "video_encoder.h"

namespace {

const char* const unavailable =
    "--video is not available in this build; write the frames with --png and the music "
    "with --wav, then encode them with ffmpeg";

} // namespace

std::string findFfmpeg()
{
    return std::string();
}

std::string ffmpegMissing()
{
    return unavailable;
}

bool makeWorkFolder(std::string&, std::string& error)
{
    error = unavailable;
    return false;
}

VideoEncoder::~VideoEncoder() = default;

bool VideoEncoder::start(const std::string&, int, int, int, int, const std::string&, std::string& error)
{
    error = unavailable;
    return false;
}

bool VideoEncoder::writeFrame(const std::uint32_t*, std::string& error)
{
    error = unavailable;
    return false;
}

bool VideoEncoder::finish(std::string& error)
{
    error = unavailable;
    return false;
}

void VideoEncoder::abort()
{
}
