// The millisecond tick count: an unsigned 32-bit count of milliseconds that
// wraps to 0 after 4294967295. The live show links a monotonic clock; the
// capture tool and the tests link simulated ones.
#pragma once

#include <cstdint>

std::uint32_t tickCount();
