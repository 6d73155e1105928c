// GlowBrush: the 3x3 fire-coloured glow of one particle, strongest in the
// middle, added to an image with saturation through a ShadeTables' ramps.
#pragma once

#include "fx/channel_tables.h"
#include "fx/shade_tables.h"
#include "image/image.h"

#include <cstdint>
#include <memory>

class GlowBrush {
public:
    GlowBrush();
    GlowBrush(const GlowBrush&) = delete;
    GlowBrush& operator=(const GlowBrush&) = delete;

    // Brightens the 3x3 block whose top-left pixel is (x, y). A block that
    // would touch the target's last column or last row, or lies partly
    // outside, is refused whole. intensity lowers every weight (0 brightest).
    void stamp(std::int32_t x, std::int32_t y, const ShadeTables& shades,
               std::int32_t intensity, Image& target) const;

    // Whether the block at (x, y) is drawn: it must lie inside the target and
    // stay short of the target's last column and last row.
    static bool fits(std::int32_t x, std::int32_t y, const Image& target)
    {
        return x >= 0 && y >= 0 && x <= target.width() - 4 && y <= target.height() - 4;
    }

    // The same stamp for many particles: packShades takes the three ramps of
    // the shades into one table of whole-pixel amounts, and stampPacked then
    // reads one amount per block pixel instead of three ramps. The packed
    // table holds until the next packShades.
    void packShades(const ShadeTables& shades);
    void stampPacked(std::int32_t x, std::int32_t y, std::int32_t intensity, Image& target) const;

    std::unique_ptr<std::int32_t[]> weights; // 9 weights, row by row
    // 512 entries: min(i, 255). The stamp adds through the packed saturating
    // add (packed_channels.h), which does the same for each channel at once.
    std::unique_ptr<std::uint8_t[]> clampByte;

private:
    std::unique_ptr<Pixel[]> packedShades; // kChannelTableSize amounts, 0x00RRGGBB
};
