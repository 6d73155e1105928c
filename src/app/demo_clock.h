// DemoClock: paces the frame loop to a fixed rate and keeps the clock time
// from which the scene decides what to draw. Clock time is not in seconds:
// it grows by `step` per frame period of 1000 / `rate` ms; the show runs it
// at show::clockRate and show::clockStep (scene/show_facts.h).
// Every value is computed in double precision and rounded to float only
// where it is stored, so the clock runs the same on every compiler. It
// reads the tick count it is handed (app/tick_source.h).
#pragma once

#include "app/tick_source.h"
#include "scene/show_facts.h"

class DemoClock {
public:
    // The show's clock.
    explicit DemoClock(TickSource ticks) : DemoClock(ticks, show::clockRate, show::clockStep) {}
    DemoClock(TickSource ticks, float rate, float step);

    // Starts the clock over at the current tick count; false (and nothing
    // changed) when the rate is not above 0.1.
    bool reset();

    // Waits until a frame period has passed since the last update, sleeping
    // for most of it and polling the tick count for its end, then advances
    // the clock time by one step (plus a catch-up for late frames).
    // False, with nothing changed, while the tick count is below the last one.
    bool update();

    // True when update would not wait: the tick count is below the last
    // one (update refuses at once) or a frame period has passed since the
    // last update. Reads the tick count once, with update's own comparisons;
    // a caller that cannot block calls update only when this is true.
    bool frameDue() const;

    float getTime() const { return time; }
    float getDelta() const { return delta; }

    float getPeriod() const { return period; }
    float getLastTick() const { return lastTick; }

private:
    void restBeforePeriodEnd() const;

    TickSource ticks;
    float rate = 0.0f;
    float lastTick = 0.0f;
    float period = 0.0f;
    float time = 0.0f;
    float step = 0.0f;
    float delta = 0.0f;
};
