// The tick count in the browser: milliseconds of performance.now(), which
// counts from the page's start, wrapped to 32 bits like the desktop count.
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
