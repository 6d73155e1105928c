// The live tick count: milliseconds of a monotonic clock, counted from the
// first reading in this process and wrapping after 2^32 ms. Counting from
// the process's start rather than the machine's keeps the count small while
// the show runs, so the frame clock, which stores ticks as floats, keeps
// millisecond precision for its first 4.6 hours instead of losing it on a
// machine that has been up for days.
#include "platform/tick_count.h"

#include <chrono>

std::uint32_t tickCount()
{
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point origin = Clock::now();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - origin);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(elapsed.count()));
}
