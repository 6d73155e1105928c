// The tick count in the browser: milliseconds of performance.now(), which
// counts from the page's start, wrapped to 32 bits like the desktop count.
// The page calls the clock's update only when a frame is due, so the
// clock's wait never sleeps here (and a page's main thread cannot sleep).
#include "platform/tick_count.h"
#include "platform/web/web_ticks.h"

#include <emscripten.h>

#include <cmath>

namespace {

bool simulated = false;
std::uint32_t simulatedTicks = 0;

} // namespace

void useSimulatedTicks()
{
    simulated = true;
    simulatedTicks = 0;
}

std::uint32_t tickCount()
{
    if (simulated)
        return simulatedTicks++;
    const double milliseconds = std::floor(emscripten_get_now());
    return static_cast<std::uint32_t>(std::fmod(milliseconds, 4294967296.0));
}

void sleepUntilTick(double tick)
{
    // As the capture tool's simulated clock: a sleep passes the readings it
    // would have missed. Live, there is nothing to wait for.
    if (simulated && tick > simulatedTicks && tick <= 4294967295.0)
        simulatedTicks = static_cast<std::uint32_t>(std::ceil(tick));
}
