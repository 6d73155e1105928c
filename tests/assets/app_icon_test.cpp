// The program's icon as the generator renders it: a rounded tile that is
// transparent outside, opaque inside, with the emblem's gold ring readable
// at every size the desktop asks for.
#include "app_icon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

using Rgba = std::array<int, 4>;

Rgba at(const RgbaPicture& icon, int x, int y)
{
    const std::size_t i = (static_cast<std::size_t>(y) * icon.width + x) * 4;
    return {icon.rgba[i], icon.rgba[i + 1], icon.rgba[i + 2], icon.rgba[i + 3]};
}

const int sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

TEST(AppIcon, IsASquareOfTheAskedSizeAndTheSameEveryTime)
{
    for (const int size : sizes) {
        const RgbaPicture icon = makeAppIcon(size);
        EXPECT_EQ(icon.width, size);
        EXPECT_EQ(icon.height, size);
        EXPECT_EQ(icon.rgba.size(), static_cast<std::size_t>(size) * size * 4);
        EXPECT_EQ(icon.rgba, makeAppIcon(size).rgba) << size;
    }
}

TEST(AppIcon, IsTransparentAroundTheTileAndOpaqueInsideIt)
{
    for (const int size : sizes) {
        const RgbaPicture icon = makeAppIcon(size);
        for (int i = 0; i < size; ++i) {
            EXPECT_EQ(at(icon, i, 0)[3], 0) << size << ": top margin at " << i;
            EXPECT_EQ(at(icon, 0, i)[3], 0) << size << ": left margin at " << i;
            EXPECT_EQ(at(icon, size - 1, i)[3], 0) << size << ": right margin at " << i;
        }
        // Rounded corners: where the tile's edges would meet is mostly
        // transparent, while the middle of its top edge is opaque.
        const int edge = size / 16;
        EXPECT_LT(at(icon, edge, edge)[3], 128) << size;
        EXPECT_EQ(at(icon, size / 2, edge + 1)[3], 255) << size;
        EXPECT_EQ(at(icon, size / 2, size / 2)[3], 255) << size;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                ASSERT_EQ(at(icon, x, y)[3], at(icon, size - 1 - x, y)[3]) << size << ": tile not symmetric";
    }
}

TEST(AppIcon, ShowsTheGoldRingOnADarkTileAtEverySize)
{
    for (const int size : sizes) {
        const RgbaPicture icon = makeAppIcon(size);
        // The ring's top, 82 of the 320 emblem units the icon spans above
        // the centre: bright, red over green over blue.
        const int ringY = size / 2 - static_cast<int>(82.0 / 320.0 * size + 0.5);
        int best = -1;
        Rgba ring{};
        for (int y = std::max(0, ringY - 1); y <= ringY + 1; ++y) {
            const Rgba p = at(icon, size / 2, y);
            if (p[0] > best) {
                best = p[0];
                ring = p;
            }
        }
        EXPECT_GT(ring[0], 200) << size;
        EXPECT_GT(ring[0], ring[1]) << size;
        EXPECT_GT(ring[1], ring[2]) << size;
        // Below the ring, away from the wings: the dark tile.
        const Rgba tile = at(icon, size / 2, size - size / 16 - 2);
        EXPECT_EQ(tile[3], 255) << size;
        EXPECT_LT(std::max({tile[0], tile[1], tile[2]}), 70) << size;
    }
}

} // namespace
