#include "glow_sprite.h"

#include "colour_ramp.h"
#include "deterministic_math.h"

#include <cmath>

namespace {

constexpr int kSize = 64;
// The glow ends two pixels inside the border, so that the border (which the
// show's blur never changes) stays black.
constexpr double kRadius = kSize / 2.0 - 2.0;

// The ring draws 150 copies of the sprite, each strand's beads only a few
// screen pixels apart, so a pixel on a strand collects the light of about
// ten overlapping sprites. The sprite is therefore mostly a small core,
// which traces the strand as a thin bright line, and a faint wide halo,
// which adds up to a soft glow around it without burning the middle of the
// screen to white.
constexpr double kCoreRadius = 8.5;
constexpr double kCorePeak = 0.6;
constexpr double kHaloPeak = 0.09;

double glowAt(double r)
{
    const double core = 1.0 - clampValue(r / kCoreRadius, 0.0, 1.0);
    const double halo = 1.0 - clampValue(r / kRadius, 0.0, 1.0);
    return kCorePeak * core * core + kHaloPeak * halo * halo * halo;
}

} // namespace

IndexedPicture makeGlowSprite()
{
    IndexedPicture picture(kSize, kSize);
    // Palette index = brightness, so the show's blur and the additive blit
    // both work on a picture whose channels rise together. Blue leads and
    // red trails far behind: overlapping sprites saturate blue long before
    // red, so crossings glow ice blue rather than white.
    const ColourRamp ramp{{0.0, {0, 0, 0}},
                          {0.1, {4, 12, 60}},
                          {0.3, {20, 60, 150}},
                          {0.6, {50, 160, 245}},
                          {1.0, {170, 240, 255}}};
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
