#include "simulated_ticks.h"

#include "platform/tick_count.h"

#include <cmath>
#include <cstdint>

namespace {
std::uint32_t simulatedTicks = 0;
// 0: steady steps; otherwise the display frames' rate.
int displayFps = 0;
}

std::uint32_t tickCount()
{
    if (displayFps != 0)
        return simulatedTicks;
    return simulatedTicks++;
}

// With steady steps a sleep passes the readings it would have missed, so
// the clock ends its wait on the same reading as without sleeping. Display
// frames never leave the clock anything to wait for.
void sleepUntilTick(double tick)
{
    if (displayFps == 0 && tick > simulatedTicks && tick <= 4294967295.0)
        simulatedTicks = static_cast<std::uint32_t>(std::ceil(tick));
}

void followDisplayFrames(int fps)
{
    displayFps = fps;
    simulatedTicks = 0;
}

void showFrame(long k)
{
    if (displayFps != 0)
        simulatedTicks = static_cast<std::uint32_t>(static_cast<std::int64_t>(k) * 1000 / displayFps);
}
