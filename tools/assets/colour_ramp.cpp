#include "colour_ramp.h"

#include "deterministic_math.h"

#include <cmath>

Rgb colourAt(const ColourRamp& ramp, double t)
{
    if (ramp.empty())
        return Rgb{};
    if (t <= ramp.front().at)
        return ramp.front().colour;
    for (std::size_t i = 1; i < ramp.size(); ++i) {
        const ColourStop& low = ramp[i - 1];
        const ColourStop& high = ramp[i];
        if (t <= high.at) {
            const double span = high.at - low.at;
            const double f = span > 0.0 ? (t - low.at) / span : 1.0;
            return Rgb{mixValues(low.colour.red, high.colour.red, f),
                       mixValues(low.colour.green, high.colour.green, f),
                       mixValues(low.colour.blue, high.colour.blue, f)};
        }
    }
    return ramp.back().colour;
}

Rgb scaleColour(const Rgb& colour, double factor)
{
    return Rgb{colour.red * factor, colour.green * factor, colour.blue * factor};
}

std::uint8_t channelByte(double value)
{
    return static_cast<std::uint8_t>(std::lround(clampValue(value, 0.0, 255.0)));
}

void setPaletteEntry(PcxPalette& palette, int index, const Rgb& colour)
{
    const std::size_t at = static_cast<std::size_t>(index) * 3;
    palette.rgb[at] = channelByte(colour.red);
    palette.rgb[at + 1] = channelByte(colour.green);
    palette.rgb[at + 2] = channelByte(colour.blue);
}

PcxPalette makeShadedPalette(const ColourRamp& ramp)
{
    PcxPalette palette; // entry 0 stays black
    for (int hue = 0; hue < kShadeHues; ++hue) {
        const Rgb colour = colourAt(ramp, static_cast<double>(hue) / (kShadeHues - 1));
        for (int level = 1; level <= kShadeLevels; ++level) {
            const double brightness = static_cast<double>(level) / kShadeLevels;
            setPaletteEntry(palette, 1 + hue * kShadeLevels + (level - 1), scaleColour(colour, brightness));
        }
    }
    return palette;
}

std::uint8_t shadedIndex(double along, double brightness)
{
    const int level = static_cast<int>(std::lround(clampValue(brightness, 0.0, 1.0) * kShadeLevels));
    if (level == 0)
        return 0;
    const int hue = static_cast<int>(std::lround(clampValue(along, 0.0, 1.0) * (kShadeHues - 1)));
    return static_cast<std::uint8_t>(1 + hue * kShadeLevels + (level - 1));
}
