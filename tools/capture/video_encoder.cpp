#include "video_encoder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool writeAll(int fd, const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

std::string findFfmpeg()
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = folders.find(':', start);
        const std::string folder = folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + "/ffmpeg";
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return "";
}

std::string ffmpegMissing()
{
    return "the ffmpeg program is not installed; install it with: sudo apt-get install ffmpeg";
}

bool makeWorkFolder(std::string& folder, std::string& error)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kelvor-capture-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) {
        error = "cannot create a temporary folder in " + pattern.substr(0, pattern.rfind('/'));
        return false;
    }
    folder = pattern;
    return true;
}

bool VideoEncoder::isLossless(const std::string& path)
{
    return endsWith(path, ".mkv");
}

VideoEncoder::~VideoEncoder()
{
    abort();
}

bool VideoEncoder::start(const std::string& path, int frameWidth, int frameHeight, int frameScale,
                         int fps, const std::string& wavPath, std::string& error)
{
    const std::string ffmpeg = findFfmpeg();
    if (ffmpeg.empty()) {
        error = ffmpegMissing();
        return false;
    }
    finalPath = path;
    temporaryPath = path + ".part";
    logPath = wavPath + ".ffmpeg-log";
    width = frameWidth;
    height = frameHeight;
    scale = frameScale;

    // The frames go down the pipe at their own size; ffmpeg scales them up by
    // pixel replication (nearest neighbour at an integer factor is exact).
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string rate = std::to_string(fps);
    const std::string scaling = "scale=" + std::to_string(width * scale) + ":" +
                                std::to_string(height * scale) + ":flags=neighbor";
    std::vector<std::string> args = {
        ffmpeg, "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
        "-f", "rawvideo", "-pix_fmt", "bgr0", "-s", size, "-framerate", rate, "-i", "pipe:0",
        "-i", wavPath, "-map", "0:v", "-map", "1:a", "-vf", scaling};
    if (isLossless(path)) {
        args.insert(args.end(), {"-c:v", "ffv1", "-level", "3", "-g", "1", "-pix_fmt", "bgr0",
                                 "-c:a", "flac", "-f", "matroska", temporaryPath});
    } else {
        args.insert(args.end(), {"-c:v", "libx264", "-preset", "superfast", "-crf", "18",
                                 "-pix_fmt", "yuv420p", "-c:a", "aac", "-b:a", "192k",
                                 "-movflags", "+faststart", "-f", "mp4", temporaryPath});
    }
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(&arg[0]);
    argv.push_back(nullptr);

    int fds[2];
    if (::pipe(fds) != 0) {
        error = "cannot create a pipe to ffmpeg";
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, logPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // Its own process group: Ctrl+C reaches only us, and we stop ffmpeg.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    const int spawned = posix_spawn(&child, ffmpeg.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(fds[0]);
    if (spawned != 0) {
        ::close(fds[1]);
        child = -1;
        error = "cannot start ffmpeg: " + std::string(std::strerror(spawned));
        return false;
    }
    pipeFd = fds[1];
    return true;
}

bool VideoEncoder::writeFrame(const std::uint32_t* pixels, std::string& error)
{
    // 0x00RRGGBB words in memory are the bytes blue, green, red, 0: "bgr0".
    const std::size_t bytes = static_cast<std::size_t>(width) * height * sizeof(std::uint32_t);
    if (!writeAll(pipeFd, pixels, bytes)) {
        // ffmpeg has stopped reading: let it finish so its log says why.
        ::close(pipeFd);
        pipeFd = -1;
        waitForFfmpeg();
        error = ffmpegFailure();
        abort();
        return false;
    }
    return true;
}

int VideoEncoder::waitForFfmpeg()
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    child = -1;
    return status;
}

bool VideoEncoder::finish(std::string& error)
{
    ::close(pipeFd);
    pipeFd = -1;
    const int status = waitForFfmpeg();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = ffmpegFailure();
        std::remove(temporaryPath.c_str());
        std::remove(logPath.c_str());
        return false;
    }
    std::remove(logPath.c_str());
    if (std::rename(temporaryPath.c_str(), finalPath.c_str()) != 0) {
        error = "cannot move the video into place at " + finalPath;
        std::remove(temporaryPath.c_str());
        return false;
    }
    return true;
}

void VideoEncoder::abort()
{
    if (pipeFd >= 0) {
        ::close(pipeFd);
        pipeFd = -1;
    }
    if (child > 0) {
        ::kill(child, SIGTERM);
        waitForFfmpeg();
    }
    if (!temporaryPath.empty()) {
        std::remove(temporaryPath.c_str());
        std::remove(logPath.c_str());
    }
}

// ffmpeg's own last words, so the user sees why it failed.
std::string VideoEncoder::ffmpegFailure()
{
    std::ifstream log(logPath);
    std::string line, last;
    while (std::getline(log, line))
        if (!line.empty())
            last = line;
    return "ffmpeg failed" + (last.empty() ? std::string() : ": " + last);
}
