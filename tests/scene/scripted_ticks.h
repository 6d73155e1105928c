// A scripted millisecond tick count for the clock tests: the test sets the
// current value and how much each reading advances it.
#pragma once

#include <cstdint>

void setTicks(std::uint32_t now, std::uint32_t advancePerReading = 1);
std::uint32_t currentTicks();
