// A simulated display for the pacing tests: simulated time in fractional
// milliseconds, the millisecond tick count the frame clock reads (the whole
// milliseconds of that time, a reading costing a few tens of nanoseconds),
// sleeps that wake a little late, and a display that refreshes at a given
// rate. With vsync each present is shown for at least one refresh, and a
// present waits for the display's next refresh, as a driver that blocks in
// its swap does; or, with a queue, returns at once while fewer presents than
// the queue holds wait to be shown, as most drivers do. Without vsync a
// present returns at once and the picture is seen from the next refresh on.
// Every present is noted with the refresh that first shows it.
//
// The model is both the Display of presentPaced() (now, sleepUntil,
// present) and the frame clock's tick count (count, sleepUntil): its tick
// count does not wrap within a test, so a tick is a moment.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

struct DisplayModelSettings {
    double refreshHz = 60.0;
    bool presentWaits = true;       // vsync: a present waits for the next refresh
    int queuedPresents = 0;         // with vsync, how many presents may wait to be shown
    double startMs = 5000.37;       // the tick count when the model starts
    double readingCostMs = 0.00005; // one reading of the tick count
    double wakeLatenessMs = 0.15;   // how late a sleep returns
    int slowWakeEvery = 0;          // every so many sleeps (0: none) return
    double slowWakeMs = 0.0;        // this much later still: a busy machine
    double presentCostMs = 0.2;     // a present that does not wait
};

class DisplayModel {
public:
    explicit DisplayModel(const DisplayModelSettings& settings);

    double now() const { return time; }
    // Time passing in the program, e.g. drawing a frame.
    void spend(double ms) { time += ms; }
    void sleepUntil(double moment);
    void present();
    std::uint32_t count();

    // The refresh (counted from the model's start) that first shows each
    // present, in order.
    const std::vector<std::int64_t>& presentedRefreshes() const { return presented; }

private:
    double refreshMs() const { return 1000.0 / settings.refreshHz; }
    double refreshesSinceStart(double moment) const;
    std::int64_t refreshAtOrAfter(double moment) const;
    std::int64_t refreshAfter(double moment) const;
    double refreshTime(std::int64_t refresh) const;

    DisplayModelSettings settings;
    double time;
    int sleeps = 0;
    std::vector<std::int64_t> presented;
    std::deque<std::int64_t> waitingToBeShown; // refreshes of queued presents
};
