#include "tiling_noise.h"

#include "deterministic_math.h"

#include <cmath>

namespace {

// Quintic fade: continuous slope and curvature across cell borders.
double fade(double t)
{
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

int wrapCell(int cell, int period)
{
    const int m = cell % period;
    return m < 0 ? m + period : m;
}

// Dot product of a lattice point's pseudo-random gradient with the offset
// from that point.
double cornerValue(int cx, int cy, int period, std::uint32_t seed, double ox, double oy)
{
    const std::uint32_t h = hashPoint(wrapCell(cx, period), wrapCell(cy, period), seed);
    const double gx = static_cast<double>(h & 0xFFFFu) / 32767.5 - 1.0;
    const double gy = static_cast<double>(h >> 16) / 32767.5 - 1.0;
    return gx * ox + gy * oy;
}

} // namespace

double periodicNoise(double x, double y, int period, std::uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int cx = static_cast<int>(fx);
    const int cy = static_cast<int>(fy);
    const double ox = x - fx;
    const double oy = y - fy;
    const double n00 = cornerValue(cx, cy, period, seed, ox, oy);
    const double n10 = cornerValue(cx + 1, cy, period, seed, ox - 1.0, oy);
    const double n01 = cornerValue(cx, cy + 1, period, seed, ox, oy - 1.0);
    const double n11 = cornerValue(cx + 1, cy + 1, period, seed, ox - 1.0, oy - 1.0);
    const double sx = fade(ox);
    const double sy = fade(oy);
    return mixValues(mixValues(n00, n10, sx), mixValues(n01, n11, sx), sy);
}

double tilingFractal(double u, double v, int baseCells, int octaves, double gain, std::uint32_t seed)
{
    double sum = 0.0;
    double amplitude = 1.0;
    int cells = baseCells;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * periodicNoise(u * cells, v * cells, cells, seed + static_cast<std::uint32_t>(octave) * 101u);
        amplitude *= gain;
        cells *= 2;
    }
    return sum;
}

double tilingRidges(double u, double v, int baseCells, int octaves, double gain, std::uint32_t seed)
{
    double sum = 0.0;
    double amplitude = 1.0;
    double total = 0.0;
    int cells = baseCells;
    for (int octave = 0; octave < octaves; ++octave) {
        const double n = periodicNoise(u * cells, v * cells, cells, seed + static_cast<std::uint32_t>(octave) * 101u);
        const double crest = 1.0 - std::fabs(n) * 1.4;
        sum += amplitude * crest * crest;
        total += amplitude;
        amplitude *= gain;
        cells *= 2;
    }
    return sum / total;
}
