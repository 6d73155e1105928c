#include "glow_sprite.h"

#include "colour_ramp.h"
#include "deterministic_math.h"

#include <cmath>

namespace {

constexpr int kSize = 64;
// The glow ends two pixels inside the border, so that the border (which the
// show's blur never changes) stays black.
constexpr double kRadius = kSize / 2.0 - 2.0;

// Brightness at distance r from the centre: a broad soft falloff with a
// small hot core.
double glowAt(double r)
{
    const double f = 1.0 - clampValue(r / kRadius, 0.0, 1.0);
    const double f2 = f * f;
    const double f4 = f2 * f2;
    return 0.75 * f * std::sqrt(f) + 0.25 * f4 * f4;
}

} // namespace

IndexedPicture makeGlowSprite()
{
    IndexedPicture picture(kSize, kSize);
    // Palette index = brightness, so the show's blur and the additive blit
    // both work on a picture whose channels rise together.
    const ColourRamp ramp{{0.0, {0, 0, 0}},
                          {0.2, {10, 40, 140}},
                          {0.45, {40, 150, 255}},
                          {0.75, {170, 235, 255}},
                          {1.0, {255, 255, 255}}};
    for (int i = 0; i < 256; ++i)
        setPaletteEntry(picture.palette, i, colourAt(ramp, i / 255.0));
    const double centre = kSize / 2.0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double dx = x + 0.5 - centre;
            const double dy = y + 0.5 - centre;
            picture.at(x, y) = channelByte(glowAt(std::sqrt(dx * dx + dy * dy)) * 255.0);
        }
    }
    return picture;
}
