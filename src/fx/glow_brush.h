// GlowBrush: the 3x3 fire-coloured glow of one particle, strongest in the
// middle, added to an image with saturation through a ShadeTables' ramps.
#pragma once

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

    std::unique_ptr<std::int32_t[]> weights;   // 9 weights, row by row
    std::unique_ptr<std::uint8_t[]> clampByte; // 512 entries: min(i, 255)
};
