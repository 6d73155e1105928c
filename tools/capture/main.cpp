// kelvor-capture: renders the show offline, frame by frame, with the real
// frame clock fed by a simulated tick count: steady steps (the show at 70
// frames a second, frame K the frame after K clock steps), or standing at
// the moments a live show at a display's rate draws its frames. It writes
// the requested frames as PNG pictures, checksums, or a video with the music.
#include "app/offline_frames.h"
#include "app/stepped_ticks.h"
#include "capture_options.h"
#include "fx/simd_level.h"
#include "module_audio.h"
#include "png_writer.h"
#include "progress_bar.h"
#include "video_encoder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int kScreenWidth = OfflineFrames::width;
constexpr int kScreenHeight = OfflineFrames::height;

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int)
{
    interrupted = 1;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "kelvor-capture: %s\n", message.c_str());
    return 1;
}

bool isFolder(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::u8path(path), error);
}

bool makeFolder(const std::string& path)
{
    std::error_code error;
    return std::filesystem::create_directory(std::filesystem::u8path(path), error);
}

struct Timings {
    std::vector<double> renderMilliseconds;
    double audioSeconds = 0;
    double totalSeconds = 0;
};

void printSummary(long frames, Timings& timings)
{
    std::vector<double>& render = timings.renderMilliseconds;
    if (render.empty())
        return;
    double sum = 0;
    for (double t : render)
        sum += t;
    const std::size_t middle = render.size() / 2;
    std::nth_element(render.begin(), render.begin() + middle, render.end());
    std::fprintf(stderr,
                 "kelvor-capture: %ld frames rendered; render time per frame: mean %.3f ms, "
                 "median %.3f ms\n",
                 frames, sum / render.size(), render[middle]);
    std::fprintf(stderr,
                 "kelvor-capture: %.2f s in all: rendering %.2f s, music %.2f s, "
                 "writing and encoding %.2f s\n",
                 timings.totalSeconds, sum / 1000.0, timings.audioSeconds,
                 timings.totalSeconds - sum / 1000.0 - timings.audioSeconds);
}

// Removes the temporary folder and the files the capture put in it.
void removeFolder(const std::string& folder)
{
    if (folder.empty())
        return;
    std::remove((folder + "/music.wav").c_str());
    std::remove((folder + "/music.wav.ffmpeg-log").c_str());
    std::remove((folder + "/music.wav.part").c_str());
    std::error_code error;
    std::filesystem::remove(std::filesystem::u8path(folder), error);
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The music for frames first..last: frame k covers the sample frames from
// musicSampleAt(k - 1) up to musicSampleAt(k), so picture and sound stay
// locked.
bool prepareMusic(const CaptureOptions& options, const std::string& videoWav, std::string& error)
{
    std::vector<std::int16_t> samples;
    const std::int64_t first = musicSampleAt(options.first - 1, options.fps);
    const std::int64_t count = musicSampleAt(options.last, options.fps) - first;
    const std::string module = options.assets + "/" + show::file(show::Part::music).name;
    if (!renderModuleAudio(module, first, count, samples, error))
        return false;
    if (!options.wav.empty() && !writeWav(options.wav, samples, error))
        return false;
    return videoWav.empty() || writeWav(videoWav, samples, error);
}

// Switches the pixel rows to the named level if this build and processor
// run it.
bool useSimdLevel(const std::string& name)
{
    for (SimdLevel level : availableSimdLevels())
        if (name == simdLevelName(level))
            return setSimdLevel(level);
    return false;
}

std::string levelNames()
{
    std::string names;
    for (SimdLevel level : availableSimdLevels())
        names += (names.empty() ? "" : ", ") + std::string(simdLevelName(level));
    return names;
}

} // namespace

int main(int argc, char** argv)
{
    const auto started = std::chrono::steady_clock::now();
    CaptureOptions options;
    std::string error;
    if (!parseCaptureOptions(argc, argv, options, error))
        return fail(error);
    if (options.help) {
        std::fputs(captureUsage(), stdout);
        return 0;
    }
    if (options.version) {
        std::puts("kelvor-capture " KELVOR_VERSION);
        return 0;
    }
    if (!options.simd.empty() && !useSimdLevel(options.simd))
        return fail("--simd " + options.simd + ": this build and processor run " + levelNames());
    if (!isFolder(options.assets))
        return fail("no such folder: " + options.assets);
    if (!options.pngFolder.empty() && !isFolder(options.pngFolder) &&
        !makeFolder(options.pngFolder))
        return fail("cannot create folder " + options.pngFolder);
    if (!options.video.empty() && findFfmpeg().empty())
        return fail(ffmpegMissing());

    // The clock takes its time 0 from the tick count, at 0, when it is made.
    const bool steadySteps = options.fps == kSteadyStepsFps;
    SteppedTicks ticks(0, steadySteps ? 1 : 0);
    OfflineFrames frames(options.assets, ticks.source());
    if (!frames.ready())
        return fail("couldn't load " + frames.missingPicture() + " from " + options.assets);

    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif

    Timings timings;
    // The music for the video and ffmpeg's log go to a private temporary
    // folder; only the video itself is written next to its final name.
    std::string workFolder;
    if (!options.video.empty() && !makeWorkFolder(workFolder, error))
        return fail(error);
    const std::string videoWav = workFolder.empty() ? "" : workFolder + "/music.wav";
    if (!options.wav.empty() || !videoWav.empty()) {
        const auto musicStarted = std::chrono::steady_clock::now();
        if (!prepareMusic(options, videoWav, error)) {
            removeFolder(workFolder);
            return fail(error);
        }
        timings.audioSeconds = secondsSince(musicStarted);
    }

    VideoEncoder encoder;
    if (!options.video.empty() &&
        !encoder.start(options.video, kScreenWidth, kScreenHeight, options.scale, options.fps, videoWav,
                       error)) {
        removeFolder(workFolder);
        return fail(error);
    }

    timings.renderMilliseconds.reserve(static_cast<std::size_t>(std::min(options.last, 1000000L)));
    ProgressBar progress(options.last);

    bool ok = true;
    for (long k = 1; k <= options.last && ok; ++k) {
        if (interrupted) {
            error = "interrupted; nothing was left under the final name";
            ok = false;
            break;
        }
        if (!steadySteps)
            ticks.set(displayFrameTick(k, options.fps), 0);
        timings.renderMilliseconds.push_back(frames.renderNext());

        if (k >= options.first) {
            if (options.checksums)
                std::fputs(checksumLine(k, frames.hash()).c_str(), stdout);
            if (!options.pngFolder.empty()) {
                const std::string path = options.pngFolder + "/frame_" + std::to_string(k) + ".png";
                ok = writePng(path, frames.pixels(), kScreenWidth, kScreenHeight, options.scale, error);
            }
            if (ok && !options.video.empty())
                ok = encoder.writeFrame(frames.pixels(), error);
        }
        progress.update(k);
    }
    progress.finish();
    if (ok && !options.video.empty())
        ok = encoder.finish(error);
    encoder.abort();
    removeFolder(workFolder);
    if (!ok)
        return fail(error);
    if (std::fflush(stdout) != 0)
        return fail("cannot write the checksums");
    timings.totalSeconds = secondsSince(started);
    printSummary(options.last, timings);
    return 0;
}
