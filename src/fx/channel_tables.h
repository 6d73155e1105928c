// Channel tables: 768 entries that stand for the values -255..512 at index
// value + 255, so that a saturating sum or difference of two channels is a
// single lookup with no comparison.
#pragma once

#include <cstdint>

constexpr int kChannelTableSize = 768;
constexpr int kChannelTableOffset = 255;

// A table value v clamped to 0..255, for table index k = v + 255.
constexpr std::int32_t clampedChannel(int k)
{
    const int v = k - kChannelTableOffset;
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}
