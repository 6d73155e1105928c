#include "app/demo_clock.h"

#include <cmath>

namespace {

// How long before the end of a frame period the wait stops sleeping and
// polls the tick count instead: long enough to cover how late a sleeping
// thread usually wakes (kelvor_wake_bench), short enough that the poll costs
// little of the period (bench/pacing/show_cost.sh). The figures are in
// bench/RESULTS.md.
constexpr double sleepMargin = 0.5;

} // namespace

DemoClock::DemoClock(TickSource ticks, float rate, float step) : ticks(ticks), rate(rate)
{
    reset();
    this->step = step;
}

bool DemoClock::reset()
{
    if (!(rate > 0.1))
        return false;
    lastTick = static_cast<float>(ticks.count());
    time = 0.0f;
    delta = 0.0f;
    period = static_cast<float>(1000.0 / rate);
    return true;
}

bool DemoClock::update()
{
    const float previousTime = time;

    double tick = ticks.count();
    if (tick < lastTick)
        return false;

    tick = ticks.count();
    if (tick - lastTick > period) {
        // A late frame: add the time beyond one period before the usual step.
        tick = ticks.count();
        time = static_cast<float>((tick - lastTick - period) / period * step + time);
    }

    tick = ticks.count();
    if (tick - lastTick < period) {
        restBeforePeriodEnd();
        tick = ticks.count();
    }
    while (tick - lastTick < period)
        tick = ticks.count();

    time = static_cast<float>(static_cast<double>(step) + time);
    lastTick = static_cast<float>(ticks.count());
    delta = static_cast<float>(static_cast<double>(time) - previousTime);
    return true;
}

bool DemoClock::frameDue() const
{
    const double tick = ticks.count();
    return tick < lastTick || !(tick - lastTick < period);
}

// The wait ends at the first whole tick count a full period past lastTick.
// Sleeping until a margin before that moment leaves the end itself to the
// poll, so the readings the clock takes, and with them every update's
// result, are those a pure poll would take.
void DemoClock::restBeforePeriodEnd() const
{
    const double end = std::ceil(static_cast<double>(lastTick) + period);
    ticks.sleepUntil(end - sleepMargin);
}
