// Encodes frames into a video file with the ffmpeg program: frames go down a
// pipe as raw 32-bit pixels, and the music comes from a WAV
// file rendered beforehand. MP4 gets H.264 (yuv420p) and AAC; MKV gets the
// lossless FFV1 and FLAC. The file is written under a temporary name and
// renamed into place only when ffmpeg has finished cleanly.
#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>

class VideoEncoder {
public:
    VideoEncoder() = default;
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;
    ~VideoEncoder();

    // Starts ffmpeg for width x height frames shown scale times larger at
    // fps frames per second, with the music of wavPath.
    bool start(const std::string& path, int width, int height, int scale, int fps,
               const std::string& wavPath, std::string& error);

    // Sends one frame to ffmpeg.
    bool writeFrame(const std::uint32_t* pixels, std::string& error);

    // Closes the pipe, waits for ffmpeg and moves the file into place.
    bool finish(std::string& error);

    // Stops ffmpeg and removes the temporary file.
    void abort();

    static bool isLossless(const std::string& path);

private:
    std::string ffmpegFailure();
    int waitForFfmpeg();

    std::string finalPath;
    std::string temporaryPath;
    std::string logPath;
    int width = 0;
    int height = 0;
    int scale = 1;
    int pipeFd = -1;
    pid_t child = -1;
};

// Where the ffmpeg program is, or an empty string when it is not installed
// or this build has no way to run it.
std::string findFfmpeg();

// What to tell the user when findFfmpeg() found nothing.
std::string ffmpegMissing();

// Makes a private temporary folder for the video's music and ffmpeg's log
// and stores its path in folder.
bool makeWorkFolder(std::string& folder, std::string& error);
