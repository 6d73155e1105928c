// Colours along a ramp of stops, and the two palettes the pictures use.
#pragma once

#include "pcx_writer.h"

#include <cstdint>
#include <vector>

// A colour with channels from 0 to 255, kept in double precision until it
// is stored in a palette.
struct Rgb {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

struct ColourStop {
    double at = 0.0; // position along the ramp, 0 to 1, stops in rising order
    Rgb colour;
};

using ColourRamp = std::vector<ColourStop>;

// The colour at position t, interpolated linearly between the stops on each
// side; positions outside the stops take the nearest end colour.
Rgb colourAt(const ColourRamp& ramp, double t);

Rgb scaleColour(const Rgb& colour, double factor);

// A channel rounded to the nearest byte and held to 0..255.
std::uint8_t channelByte(double value);

void setPaletteEntry(PcxPalette& palette, int index, const Rgb& colour);

// Palette of the glowing pictures: index 0 is black, the other 255 entries
// are 17 colours along the ramp, each at 15 brightness levels, so that a
// pixel can take both its hue from a gradient and its brightness from its
// coverage.
constexpr int kShadeHues = 17;
constexpr int kShadeLevels = 15;
PcxPalette makeShadedPalette(const ColourRamp& ramp);

// The index for a position along the ramp (0 to 1) and a brightness (0 to 1);
// brightness that rounds to level 0 gives black, index 0.
std::uint8_t shadedIndex(double along, double brightness);
