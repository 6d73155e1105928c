// The millisecond tick count: an unsigned 32-bit count of milliseconds that
// wraps to 0 after 4294967295, and a sleep measured on the same count: the
// live show's, which each target implements (the frame clock reads it
// through TickSource::platform(), app/tick_source.h).
#pragma once

#include <cstdint>

std::uint32_t tickCount();

// Yields the processor until the tick count is due to reach `tick`, a
// fraction being that far into the millisecond; returns at once when that
// moment has passed. The moment lies in the tick count's current run up to
// its next wrap, so values beyond 4294967295 lie after that wrap.
void sleepUntilTick(double tick);
