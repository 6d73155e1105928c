#include "app/stepped_ticks.h"

#include <algorithm>
#include <cmath>

std::uint32_t SteppedTicks::count()
{
    const std::uint32_t reading = now;
    now += step;
    return reading;
}

// The count passes readings up to the first at or after the tick, but not
// beyond its last one before it wraps: a tick after the wrap is a poll's
// business, reading by reading.
void SteppedTicks::sleepUntil(double tick)
{
    if (step == 0 || !(tick > now))
        return;
    const double passed = std::ceil((tick - now) / step);
    const double beforeWrap = std::floor((4294967295.0 - now) / step);
    now += static_cast<std::uint32_t>(std::min(passed, beforeWrap)) * step;
}
