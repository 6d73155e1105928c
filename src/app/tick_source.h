// The millisecond tick count a frame clock reads and sleeps on, handed to
// the clock by whoever makes it: the platform's live count in the show, a
// stepped one offline (SteppedTicks) and whatever a test simulates. Any
// object with
//   std::uint32_t count()         the count: unsigned 32 bits, wrapping
//   void sleepUntil(double tick)  yields until the count is due to reach
//                                 the tick (as platform/tick_count.h says)
// serves; the source keeps its address and calls those two through
// function pointers, so the counts share no base class.
#pragma once

#include "platform/tick_count.h"

#include <cstdint>

class TickSource {
public:
    // The object must outlive every clock that reads it.
    template <typename Ticks>
    static TickSource of(Ticks& ticks)
    {
        return TickSource(
            &ticks, [](void* t) { return static_cast<Ticks*>(t)->count(); },
            [](void* t, double tick) { static_cast<Ticks*>(t)->sleepUntil(tick); });
    }

    // The live count of the platform layer the program links.
    static TickSource platform()
    {
        return TickSource(
            nullptr, [](void*) { return tickCount(); }, [](void*, double tick) { sleepUntilTick(tick); });
    }

    std::uint32_t count() const { return countOf(ticks); }
    void sleepUntil(double tick) const { sleepOf(ticks, tick); }

private:
    using Count = std::uint32_t (*)(void*);
    using Sleep = void (*)(void*, double);

    TickSource(void* ticks, Count countOf, Sleep sleepOf) : ticks(ticks), countOf(countOf), sleepOf(sleepOf) {}

    void* ticks;
    Count countOf;
    Sleep sleepOf;
};
