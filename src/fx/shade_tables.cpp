#include "fx/shade_tables.h"

ShadeTables::ShadeTables()
    : red(new std::int32_t[kChannelTableSize]),
      green(new std::int32_t[kChannelTableSize]),
      blue(new std::int32_t[kChannelTableSize])
{
    for (int k = 0; k < kChannelTableSize; ++k) {
        const std::int32_t c = clampedChannel(k);
        red[k] = c;
        green[k] = c <= 127 ? 0 : 2 * c - 256;
        blue[k] = 0;
    }
}
