#include "fx/glow_brush.h"

#include "fx/pixel_rows.h"

#include <cstddef>

namespace {

// The ramp index k = weight + intensity + 256 must stay within the channel
// tables (0..767). Every ShadeTables ramp is flat below index 255 and above
// index 510, so clamping intensity to -356..256 (the range that keeps all
// nine indices in the table) changes nothing for in-range intensities and
// gives the ramps' own end values for any other.
constexpr std::int32_t kLightestWeight = 100;
constexpr std::int32_t kHeaviestWeight = 255;
constexpr std::int32_t kLowestIntensity = 0 - kLightestWeight - 256;                      // -356
constexpr std::int32_t kHighestIntensity = kChannelTableSize - 1 - kHeaviestWeight - 256; // 256

std::int32_t clampIntensity(std::int32_t intensity)
{
    if (intensity < kLowestIntensity)
        return kLowestIntensity;
    if (intensity > kHighestIntensity)
        return kHighestIntensity;
    return intensity;
}

// The ramps' amounts at index k as one pixel. The ramps hold 0..255, so the
// packed add saturates each channel as adding it byte by byte would.
Pixel packedAmount(const ShadeTables& shades, std::int32_t k)
{
    return (static_cast<Pixel>(shades.red[k]) << 16) | (static_cast<Pixel>(shades.green[k]) << 8) |
           static_cast<Pixel>(shades.blue[k]);
}

// Adds amounts[0..8] to the 3x3 block at (x, y) with saturation; the top
// byte of every pixel stays as it was.
void brightenBlock(std::int32_t x, std::int32_t y, const Pixel* amounts, Image& target)
{
    const std::int32_t width = target.width();
    brightenBlock3x3(target.pixels() + static_cast<std::ptrdiff_t>(y) * width + x, width, amounts);
}

} // namespace

GlowBrush::GlowBrush()
    : weights(new std::int32_t[9]{100, 150, 100, 150, 255, 150, 100, 150, 100}),
      clampByte(new std::uint8_t[512]),
      packedShades(new Pixel[kChannelTableSize]())
{
    for (int i = 0; i < 512; ++i)
        clampByte[i] = static_cast<std::uint8_t>(i <= 255 ? i : 255);
}

void GlowBrush::stamp(std::int32_t x, std::int32_t y, const ShadeTables& shades,
                      std::int32_t intensity, Image& target) const
{
    if (!fits(x, y, target))
        return;
    const std::int32_t offset = clampIntensity(intensity) + 256;
    Pixel amounts[9];
    for (int i = 0; i < 9; ++i)
        amounts[i] = packedAmount(shades, weights[i] + offset);
    brightenBlock(x, y, amounts, target);
}

void GlowBrush::packShades(const ShadeTables& shades)
{
    for (std::int32_t k = 0; k < kChannelTableSize; ++k)
        packedShades[k] = packedAmount(shades, k);
}

void GlowBrush::stampPacked(std::int32_t x, std::int32_t y, std::int32_t intensity,
                            Image& target) const
{
    if (!fits(x, y, target))
        return;
    const Pixel* const packed = packedShades.get() + clampIntensity(intensity) + 256;
    Pixel amounts[9];
    for (int i = 0; i < 9; ++i)
        amounts[i] = packed[weights[i]];
    brightenBlock(x, y, amounts, target);
}
