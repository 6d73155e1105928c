#include "app/offline_frames.h"

#include "image/frame_hash.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>

OfflineFrames::OfflineFrames(const std::string& pictureFolder, TickSource ticks) : clock(ticks)
{
    scene.setup(width, height, pictureFolder);
    frame.resize(width, height);
}

double OfflineFrames::renderNext()
{
    using Clock = std::chrono::steady_clock;
    clock.update();
    const Clock::time_point started = Clock::now();
    scene.render(clock.getTime(), clock.getDelta(), frame);
    ++number;
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

std::uint64_t OfflineFrames::hash() const
{
    return frameHash(frame.pixels(), static_cast<std::size_t>(width) * height);
}

std::string checksumLine(long frameNumber, std::uint64_t hash)
{
    char line[48];
    std::snprintf(line, sizeof line, "%ld %016" PRIx64 "\n", frameNumber, hash);
    return line;
}
