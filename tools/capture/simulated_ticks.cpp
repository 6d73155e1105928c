// The capture tool's tick count: a simulated clock that advances exactly one
// millisecond per reading. With it every clock update adds exactly one step,
// so frame k is the frame after k steps, however long rendering takes. A
// sleep passes the readings it would have missed, so the clock ends its wait
// on the same reading as without sleeping.
#include "platform/tick_count.h"

#include <cmath>

namespace {
std::uint32_t simulatedTicks = 0;
}

std::uint32_t tickCount()
{
    return simulatedTicks++;
}

void sleepUntilTick(double tick)
{
    if (tick > simulatedTicks && tick <= 4294967295.0)
        simulatedTicks = static_cast<std::uint32_t>(std::ceil(tick));
}
