#include "support/scripted_ticks.h"

#include "platform/tick_count.h"

#include <cstdint>

namespace {
std::uint32_t ticksNow = 0;
std::uint32_t ticksAdvance = 1;
std::uint32_t readings = 0;
std::uint32_t sleeps = 0;
bool sleepsHonoured = true;
} // namespace

void setTicks(std::uint32_t now, std::uint32_t advancePerReading)
{
    ticksNow = now;
    ticksAdvance = advancePerReading;
    readings = 0;
    sleeps = 0;
}

std::uint32_t currentTicks()
{
    return ticksNow;
}

void honourSleeps(bool honour)
{
    sleepsHonoured = honour;
}

std::uint32_t ticksRead()
{
    return readings;
}

std::uint32_t sleepsTaken()
{
    return sleeps;
}

std::uint32_t tickCount()
{
    const std::uint32_t value = ticksNow;
    ticksNow += ticksAdvance;
    ++readings;
    return value;
}

void sleepUntilTick(double tick)
{
    ++sleeps;
    if (!sleepsHonoured || ticksAdvance == 0)
        return;
    while (ticksNow < tick && ticksNow <= UINT32_MAX - ticksAdvance)
        ticksNow += ticksAdvance;
}
