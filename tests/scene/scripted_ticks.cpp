#include "scripted_ticks.h"

#include "platform/tick_count.h"

namespace {
std::uint32_t ticksNow = 0;
std::uint32_t ticksAdvance = 1;
} // namespace

void setTicks(std::uint32_t now, std::uint32_t advancePerReading)
{
    ticksNow = now;
    ticksAdvance = advancePerReading;
}

std::uint32_t currentTicks()
{
    return ticksNow;
}

std::uint32_t tickCount()
{
    const std::uint32_t value = ticksNow;
    ticksNow += ticksAdvance;
    return value;
}
