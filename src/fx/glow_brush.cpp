#include "fx/glow_brush.h"

#include "fx/channel_tables.h"

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

} // namespace

GlowBrush::GlowBrush()
    : weights(new std::int32_t[9]{100, 150, 100, 150, 255, 150, 100, 150, 100}),
      clampByte(new std::uint8_t[512])
{
    for (int i = 0; i < 512; ++i)
        clampByte[i] = static_cast<std::uint8_t>(i <= 255 ? i : 255);
}

void GlowBrush::stamp(std::int32_t x, std::int32_t y, const ShadeTables& shades,
                      std::int32_t intensity, Image& target) const
{
    const std::int32_t width = target.width();
    const std::int32_t height = target.height();
    // The whole block or nothing: its last column and row must stay short of
    // the target's last column and row.
    if (x < 0 || y < 0 || x > width - 4 || y > height - 4)
        return;

    if (intensity < kLowestIntensity)
        intensity = kLowestIntensity;
    if (intensity > kHighestIntensity)
        intensity = kHighestIntensity;

    const std::int32_t* const red = shades.red.get();
    const std::int32_t* const green = shades.green.get();
    const std::int32_t* const blue = shades.blue.get();
    const std::uint8_t* const clamp = clampByte.get();
    const std::int32_t* const weight = weights.get();

    Pixel* row = target.pixels() + static_cast<std::ptrdiff_t>(y) * width + x;
    for (int r = 0; r < 3; ++r, row += width) {
        for (int c = 0; c < 3; ++c) {
            const std::int32_t k = weight[3 * r + c] + intensity + 256;
            const Pixel p = row[c];
            // Byte by byte, blue then green then red; the top byte stays.
            const Pixel b = clamp[blue[k] + static_cast<std::int32_t>(p & 0xFFu)];
            const Pixel g = clamp[green[k] + static_cast<std::int32_t>((p >> 8) & 0xFFu)];
            const Pixel rd = clamp[red[k] + static_cast<std::int32_t>((p >> 16) & 0xFFu)];
            row[c] = (p & 0xFF000000u) | (rd << 16) | (g << 8) | b;
        }
    }
}
