// Conversion of a floating value to int by truncation toward zero, the one
// rounding the effects use. Values beyond the int range (huge rectangles,
// infinities) saturate, and NaN gives the lowest int (as the processor's own
// conversion does), a position every effect refuses. So the conversion is
// always defined; every value within range converts exactly as a plain cast.
#pragma once

#include <cstdint>

inline std::int32_t truncToInt(double value)
{
    if (value != value)
        return INT32_MIN;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

// The same conversion with the range taken care of by clamping instead of
// branches, for loops that are to vectorise: NaN becomes the lowest int and
// the clamped value always lies within the int range. Gives truncToInt's
// result for every value.
inline std::int32_t truncToIntClamped(double value)
{
    const double below = value < 2147483647.0 ? value : 2147483647.0;
    const double inRange = below > -2147483648.0 ? below : -2147483648.0;
    return static_cast<std::int32_t>(value == value ? inRange : -2147483648.0);
}
