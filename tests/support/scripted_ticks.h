// A scripted millisecond tick count for the clock tests: the test sets the
// current value and how much each reading advances it. A sleep skips the
// readings that would have come before its end, as a poll would have read
// them, and is counted.
#pragma once

#include <cstdint>

void setTicks(std::uint32_t now, std::uint32_t advancePerReading = 1);
std::uint32_t currentTicks();

// Whether a sleep skips readings (the default) or is ignored, which turns
// the clock's wait into a pure poll.
void honourSleeps(bool honour);

// Readings of the tick count and sleeps since the last setTicks.
std::uint32_t ticksRead();
std::uint32_t sleepsTaken();
