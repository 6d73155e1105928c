// Arithmetic that gives the same bits on every compiler and C library: a sine
// built from a polynomial (the library's sin may differ in its last bit), an
// integer hash, and a small noise generator. The generator's files must be
// identical byte for byte wherever it is built.
#pragma once

#include <cstdint>

// sin(2 pi turns), accurate to about 1e-11, from additions and products only.
double sineTurns(double turns);

// Mixes the bits of a 32-bit value so that neighbouring inputs give
// unrelated outputs.
std::uint32_t mixBits(std::uint32_t value);

// A hash of a lattice point and a seed, for noise lattices.
std::uint32_t hashPoint(std::int32_t x, std::int32_t y, std::uint32_t seed);

// Linear interpolation from a (at t = 0) to b (at t = 1).
double mixValues(double a, double b, double t);

// t limited to the range low..high.
double clampValue(double t, double low, double high);

// Smooth step from 0 at t = 0 to 1 at t = 1, flat at both ends.
double smoothStep(double t);

// White noise in -1..1 from a fixed seed (xorshift32).
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed);
    double next();

private:
    std::uint32_t state;
};
