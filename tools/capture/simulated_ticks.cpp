// The capture tool's tick count: a simulated clock that advances exactly one
// millisecond per reading. With it every clock update adds exactly one step,
// so frame k is the frame after k steps, however long rendering takes.
#include "platform/tick_count.h"

namespace {
std::uint32_t simulatedTicks = 0;
}

std::uint32_t tickCount()
{
    return simulatedTicks++;
}
