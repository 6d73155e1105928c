// A simulated millisecond tick count: it stands where its owner puts it,
// and every reading moves it on by a fixed step (0: it stands still). A
// sleep passes the readings that would have come before its end, so a
// clock that sleeps takes the very readings a pure poll would. With steps
// of 1 ms from 0 every update of the frame clock adds exactly one step:
// frame K is the frame after K steps, the show at its steady rate. The
// capture tool and the page's checksums render so; the tests script the
// clock with it.
#pragma once

#include "app/tick_source.h"

#include <cstdint>

class SteppedTicks {
public:
    explicit SteppedTicks(std::uint32_t start = 0, std::uint32_t step = 1) : now(start), step(step) {}

    // Puts the count at `start`, each reading from then on adding `step`.
    void set(std::uint32_t start, std::uint32_t readingStep)
    {
        now = start;
        step = readingStep;
    }

    // Time passing between two readings: a late frame, a pause.
    void skip(std::uint32_t ms) { now += ms; }

    // The next reading, without taking it.
    std::uint32_t current() const { return now; }

    std::uint32_t count();
    void sleepUntil(double tick);

    TickSource source() { return TickSource::of(*this); }

private:
    std::uint32_t now;
    std::uint32_t step;
};
