// A 256-colour picture as the generator builds it: one palette index per
// pixel, top row first, and the palette.
#pragma once

#include "pcx_writer.h"

#include <cstdint>
#include <vector>

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices; // width x height, all 0 (black) at first
    PcxPalette palette;

    IndexedPicture(int pictureWidth, int pictureHeight)
        : width(pictureWidth), height(pictureHeight),
          indices(static_cast<std::size_t>(pictureWidth) * static_cast<std::size_t>(pictureHeight), 0)
    {
    }

    std::uint8_t& at(int x, int y) { return indices[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t at(int x, int y) const { return indices[static_cast<std::size_t>(y) * width + x]; }

    std::vector<std::uint8_t> toPcx() const { return encodePcx(width, height, indices, palette); }
};
