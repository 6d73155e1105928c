#include "app/demo_clock.h"

#include "platform/tick_count.h"

DemoClock::DemoClock(float rate, float step) : rate(rate)
{
    reset();
    this->step = step;
}

bool DemoClock::reset()
{
    if (!(rate > 0.1))
        return false;
    lastTick = static_cast<float>(tickCount());
    time = 0.0f;
    delta = 0.0f;
    period = static_cast<float>(1000.0 / rate);
    return true;
}

bool DemoClock::update()
{
    const float previousTime = time;

    double tick = tickCount();
    if (tick < lastTick)
        return false;

    tick = tickCount();
    if (tick - lastTick > period) {
        // A late frame: add the time beyond one period before the usual step.
        tick = tickCount();
        time = static_cast<float>((tick - lastTick - period) / period * step + time);
    }

    tick = tickCount();
    while (tick - lastTick < period)
        tick = tickCount();

    time = static_cast<float>(static_cast<double>(step) + time);
    lastTick = static_cast<float>(tickCount());
    delta = static_cast<float>(static_cast<double>(time) - previousTime);
    return true;
}

bool DemoClock::frameDue() const
{
    const double tick = tickCount();
    return tick < lastTick || !(tick - lastTick < period);
}
