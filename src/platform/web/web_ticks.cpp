// The tick count in the browser: milliseconds of performance.now(), which
// counts from the page's start, wrapped to 32 bits like the desktop count.
// The page calls the clock's update only when a frame is due, so the
// clock's wait never sleeps here (and a page's main thread cannot sleep).
#include "platform/tick_count.h"

#include <emscripten.h>

#include <cmath>

std::uint32_t tickCount()
{
    const double milliseconds = std::floor(emscripten_get_now());
    return static_cast<std::uint32_t>(std::fmod(milliseconds, 4294967296.0));
}

void sleepUntilTick(double)
{
}
