// The live tick count: milliseconds of a monotonic clock, counted from the
// first reading in this process and wrapping after 2^32 ms. Counting from
// the process's start rather than the machine's keeps the count small while
// the show runs, so the frame clock, which stores ticks as floats, keeps
// millisecond precision for its first 4.6 hours instead of losing it on a
// machine that has been up for days.
#include "platform/tick_count.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

Clock::time_point origin()
{
    static const Clock::time_point start = Clock::now();
    return start;
}

} // namespace

std::uint32_t tickCount()
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - origin());
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(elapsed.count()));
}

void sleepUntilTick(double tick)
{
    // Where the count stands now, with the fraction of its millisecond.
    const double elapsed = Milliseconds(Clock::now() - origin()).count();
    const double now = std::fmod(elapsed, 4294967296.0);
    if (!(tick > now))
        return;
    const Milliseconds wake(elapsed + (tick - now));
    std::this_thread::sleep_until(origin() + std::chrono::duration_cast<Clock::duration>(wake));
}
