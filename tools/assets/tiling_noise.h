// Noise that tiles: gradient noise on a lattice that repeats after a whole
// number of cells, so that a map filled from it wraps without a seam.
#pragma once

#include <cstdint>

// Gradient noise at (x, y) in lattice cells, repeating every period cells in
// both directions. Roughly -0.7..0.7, 0 at every lattice point.
double periodicNoise(double x, double y, int period, std::uint32_t seed);

// Octaves of periodic noise over a tile with coordinates u, v in 0..1: the
// first octave has baseCells cells across the tile, each further one twice
// as many at `gain` times the amplitude.
double tilingFractal(double u, double v, int baseCells, int octaves, double gain, std::uint32_t seed);

// Like tilingFractal but each octave folded into sharp crests (1 - |noise|,
// squared), which reads as mountain ridges. Roughly 0..1.
double tilingRidges(double u, double v, int baseCells, int octaves, double gain, std::uint32_t seed);
