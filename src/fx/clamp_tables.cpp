#include "fx/clamp_tables.h"

ClampTables::ClampTables()
    : red(new std::int32_t[kChannelTableSize]),
      green(new std::int32_t[kChannelTableSize]),
      blue(new std::int32_t[kChannelTableSize])
{
    for (int k = 0; k < kChannelTableSize; ++k) {
        const std::int32_t c = clampedChannel(k);
        red[k] = c << 16;
        green[k] = c << 8;
        blue[k] = c;
    }
}
