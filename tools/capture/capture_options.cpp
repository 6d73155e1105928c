#include "capture_options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool parseNumber(const char* text, long low, long high, long& value)
{
    if (text == nullptr || *text == '\0')
        return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

// One show cycle: 80 clock units, 8000 steps of the clock, 114.3 seconds.
constexpr long kShowCycleSteps = 8000;

} // namespace

const char* captureUsage()
{
    return "usage: kelvor-capture [options]\n"
           "Renders the show offline, frame by frame, exactly as the live show draws it:\n"
           "at the clock's steady 70 steps a second (frame K is the frame after K clock\n"
           "steps), or as a live show in step with a display presents its frames.\n"
           "\n"
           "  --assets DIR   folder with data1.pcx .. data7.pcx (default: current folder)\n"
           "  --fps N        70: the clock's steady steps (default for checksums and PNG);\n"
           "                 1 to 62: the frames a live show at N frames a second\n"
           "                 presents, e.g. 60 for a 60 Hz display (default for video)\n"
           "  --first K      first frame to emit, 1-based (default 1)\n"
           "  --last N       last frame to emit (default: one show cycle, 114.3 seconds)\n"
           "  --png DIR      write each emitted frame as DIR/frame_K.png\n"
           "  --seconds S    emit S seconds of the show instead of --last\n"
           "  --scale S      integer nearest-neighbour scale of written frames\n"
           "                 (default 4 for a video, 1 for PNG frames)\n"
           "  --checksums    print 'K HASH' per emitted frame on stdout: 64-bit FNV-1a of\n"
           "                 the frame's pixels as little-endian 0x00RRGGBB words\n"
           "  --video FILE   encode the frames with the music into FILE with ffmpeg:\n"
           "                 .mp4 gives H.264 and AAC, .mkv the lossless FFV1 and FLAC\n"
           "  --wav FILE     write the music of the same span as a 16-bit stereo WAV\n"
           "  --simd LEVEL   draw with the pixel rows of LEVEL: portable, sse2, avx2 or neon,\n"
           "                 as far as this build and processor run them (default: the best)\n"
           "  --help         show this text\n"
           "  --version      show the version\n"
           "\n"
           "Frames are always rendered from frame 1, since each frame carries state to the\n"
           "next. A summary (frames, render time per frame) goes to stderr at the end.\n";
}

bool parseCaptureOptions(int argc, char** argv, CaptureOptions& options, std::string& error)
{
    double seconds = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long number = 0;
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--checksums") {
            options.checksums = true;
        } else if (name == "--assets" || name == "--png" || name == "--video" || name == "--wav") {
            if (value == nullptr || *value == '\0') {
                error = name + (name == "--assets" || name == "--png" ? " needs a folder" : " needs a file name");
                return false;
            }
            (name == "--assets" ? options.assets
             : name == "--png"  ? options.pngFolder
             : name == "--video" ? options.video
                                 : options.wav) = value;
            ++i;
        } else if (name == "--simd") {
            // Whether this processor runs the level is the program's to say.
            if (value == nullptr || *value == '\0') {
                error = "--simd needs a level: portable, sse2, avx2 or neon";
                return false;
            }
            options.simd = value;
            ++i;
        } else if (name == "--seconds") {
            char* end = nullptr;
            const double parsed = value ? std::strtod(value, &end) : 0.0;
            if (value == nullptr || end == value || *end != '\0' || !(parsed > 0) || parsed > 1e7) {
                error = "--seconds needs a positive number";
                return false;
            }
            seconds = parsed;
            ++i;
        } else if (name == "--first" || name == "--last") {
            if (!parseNumber(value, 1, 1000000000L, number)) {
                error = name + " needs a whole number from 1 up";
                return false;
            }
            (name == "--first" ? options.first : options.last) = number;
            ++i;
        } else if (name == "--fps") {
            if (!parseNumber(value, 1, kSteadyStepsFps, number) ||
                (number > kFastestDisplayFps && number != kSteadyStepsFps)) {
                error = "--fps needs " + std::to_string(kSteadyStepsFps) +
                        " (steady clock steps) or a frame rate from 1 to " + std::to_string(kFastestDisplayFps);
                return false;
            }
            options.fps = static_cast<int>(number);
            ++i;
        } else if (name == "--scale") {
            if (!parseNumber(value, 1, 16, number)) {
                error = "--scale needs a whole number from 1 to 16";
                return false;
            }
            options.scale = static_cast<int>(number);
            ++i;
        } else {
            error = "unknown argument '" + name + "' (see --help)";
            return false;
        }
    }
    if (options.fps == 0)
        options.fps = options.video.empty() ? kSteadyStepsFps : 60;
    if (seconds > 0) {
        const long frames = std::max(1L, static_cast<long>(std::llround(seconds * options.fps)));
        options.last = options.first - 1 + frames;
    }
    if (options.last == 0)
        options.last = (kShowCycleSteps * options.fps + kSteadyStepsFps - 1) / kSteadyStepsFps;
    if (options.scale == 0)
        options.scale = options.video.empty() ? 1 : 4;
    if (options.first > options.last) {
        error = "--first must not come after --last";
        return false;
    }
    return true;
}

std::uint32_t displayFrameTick(long k, int fps)
{
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(k) * 1000 / fps);
}
