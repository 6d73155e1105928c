// kelvor-capture: renders the show offline, frame by frame, with the real
// frame clock fed by a simulated tick count, and writes the requested frames
// as PNG pictures and/or checksums.
#include "app/demo_clock.h"
#include "capture_options.h"
#include "frame_hash.h"
#include "png_writer.h"
#include "progress_bar.h"
#include "scene/scene.h"

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 200;

int fail(const std::string& message)
{
    std::fprintf(stderr, "kelvor-capture: %s\n", message.c_str());
    return 1;
}

bool isFolder(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

void printSummary(long frames, std::vector<double>& renderMilliseconds)
{
    if (renderMilliseconds.empty())
        return;
    double sum = 0;
    for (double t : renderMilliseconds)
        sum += t;
    const std::size_t middle = renderMilliseconds.size() / 2;
    std::nth_element(renderMilliseconds.begin(), renderMilliseconds.begin() + middle,
                     renderMilliseconds.end());
    std::fprintf(stderr, "kelvor-capture: %ld frames rendered; render time per frame: mean %.3f ms, median %.3f ms\n",
                 frames, sum / renderMilliseconds.size(), renderMilliseconds[middle]);
}

} // namespace

int main(int argc, char** argv)
{
    CaptureOptions options;
    std::string error;
    if (!parseCaptureOptions(argc, argv, options, error))
        return fail(error);
    if (options.help) {
        std::fputs(captureUsage(), stdout);
        return 0;
    }
    if (!isFolder(options.assets))
        return fail("no such folder: " + options.assets);
    if (!options.pngFolder.empty() && !isFolder(options.pngFolder) &&
        mkdir(options.pngFolder.c_str(), 0755) != 0)
        return fail("cannot create folder " + options.pngFolder);

    Scene scene;
    scene.setup(kScreenWidth, kScreenHeight, options.assets);
    if (!scene.ready())
        return fail("couldn't load " + scene.missingPicture() + " from " + options.assets);

    Image frame;
    frame.resize(kScreenWidth, kScreenHeight);
    DemoClock clock(70.0f, 0.01f);
    std::vector<double> renderMilliseconds;
    renderMilliseconds.reserve(static_cast<std::size_t>(std::min(options.last, 1000000L)));
    ProgressBar progress(options.last);

    for (long k = 1; k <= options.last; ++k) {
        clock.update();
        const auto started = std::chrono::steady_clock::now();
        scene.render(clock, frame);
        const auto ended = std::chrono::steady_clock::now();
        renderMilliseconds.push_back(std::chrono::duration<double, std::milli>(ended - started).count());

        if (k >= options.first) {
            if (options.checksums)
                std::printf("%ld %016" PRIx64 "\n", k,
                            frameHash(frame.pixels(), kScreenWidth * kScreenHeight));
            if (!options.pngFolder.empty()) {
                const std::string path = options.pngFolder + "/frame_" + std::to_string(k) + ".png";
                if (!writePng(path, frame.pixels(), kScreenWidth, kScreenHeight, options.scale, error))
                    return fail(error);
            }
        }
        progress.update(k);
    }
    progress.finish();
    if (std::fflush(stdout) != 0)
        return fail("cannot write the checksums");
    printSummary(options.last, renderMilliseconds);
    return 0;
}
