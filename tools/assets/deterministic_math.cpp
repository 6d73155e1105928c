#include "deterministic_math.h"

#include <cmath>

double sineTurns(double turns)
{
    // Reduce to -0.25..0.25 turns, where the Taylor series converges fast,
    // using sin(pi - x) = sin(x).
    double r = turns - std::floor(turns);
    if (r >= 0.5)
        r -= 1.0;
    if (r > 0.25)
        r = 0.5 - r;
    else if (r < -0.25)
        r = -0.5 - r;
    const double x = r * 6.283185307179586;
    const double x2 = x * x;
    double sum = 1.0 / 1307674368000.0; // 1/15!
    sum = sum * -x2 + 1.0 / 6227020800.0;
    sum = sum * -x2 + 1.0 / 39916800.0;
    sum = sum * -x2 + 1.0 / 362880.0;
    sum = sum * -x2 + 1.0 / 5040.0;
    sum = sum * -x2 + 1.0 / 120.0;
    sum = sum * -x2 + 1.0 / 6.0;
    sum = sum * -x2 + 1.0;
    return sum * x;
}

std::uint32_t mixBits(std::uint32_t value)
{
    value ^= value >> 16;
    value *= 0x7FEB352Du;
    value ^= value >> 15;
    value *= 0x846CA68Bu;
    value ^= value >> 16;
    return value;
}

std::uint32_t hashPoint(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    const std::uint32_t h = mixBits(static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ seed);
    return mixBits(h ^ (static_cast<std::uint32_t>(y) * 0x85EBCA77u));
}

double mixValues(double a, double b, double t)
{
    return a + (b - a) * t;
}

double clampValue(double t, double low, double high)
{
    return t < low ? low : (t > high ? high : t);
}

double smoothStep(double t)
{
    const double c = clampValue(t, 0.0, 1.0);
    return c * c * (3.0 - 2.0 * c);
}

NoiseSource::NoiseSource(std::uint32_t seed) : state(seed == 0 ? 0x6D2B79F5u : seed) {}

double NoiseSource::next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483648.0 - 1.0;
}
