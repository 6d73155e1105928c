#include "fx/glow_brush.h"
#include "fx/shade_tables.h"
#include "image/image.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::int32_t kWeights[9] = {100, 150, 100, 150, 255, 150, 100, 150, 100};

std::uint32_t redOf(Pixel p) { return (p >> 16) & 0xFFu; }
std::uint32_t greenOf(Pixel p) { return (p >> 8) & 0xFFu; }
std::uint32_t blueOf(Pixel p) { return p & 0xFFu; }

// The amounts a stamp adds for a weight and an intensity, worked out from
// the rule (c = w + intensity + 1 clamped to 0..255; green 0 up to 128,
// then 2c - 256), independently of the tables.
std::int32_t redAmount(std::int32_t w, std::int32_t intensity)
{
    return std::clamp(w + intensity + 1, 0, 255);
}
std::int32_t greenAmount(std::int32_t w, std::int32_t intensity)
{
    const std::int32_t c = redAmount(w, intensity);
    return c <= 128 ? 0 : 2 * c - 256;
}

// Counts the pixels that differ from value outside the 3x3 block at (x, y).
int changedOutsideBlock(const Image& image, int x, int y, Pixel value)
{
    int changed = 0;
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col) {
            const bool inside = col >= x && col < x + 3 && row >= y && row < y + 3;
            if (!inside && image.pixels()[row * image.width() + col] != value)
                ++changed;
        }
    return changed;
}

class GlowBrushTest : public ::testing::Test {
protected:
    ShadeTables shades;
    GlowBrush brush;
};

} // namespace

TEST_F(GlowBrushTest, TablesHoldTheWeightsAndTheByteClamp)
{
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(brush.weights[i], kWeights[i]) << "weight " << i;
    for (int i = 0; i < 512; ++i)
        EXPECT_EQ(brush.clampByte[i], i <= 255 ? i : 255) << "clampByte " << i;
}

TEST_F(GlowBrushTest, OnBlackIntensityZeroGivesTheFullGlow)
{
    Image image;
    fillImage(image, 8, 8, 0);
    brush.stamp(2, 3, shades, 0, image);
    auto at = [&](int col, int row) { return image.pixels()[row * 8 + col]; };
    EXPECT_EQ(at(3, 4), 0x00FFFE00u); // centre: red 255, green 254, blue 0
    EXPECT_EQ(at(2, 3), 0x00650000u); // corner: red 101, green 0
    EXPECT_EQ(at(4, 5), 0x00650000u);
    EXPECT_EQ(at(3, 3), 0x00972E00u); // edge: red 151, green 46
    EXPECT_EQ(at(2, 4), 0x00972E00u);
    EXPECT_EQ(changedOutsideBlock(image, 2, 3, 0), 0);
}

// Amounts (red / green) worked out by hand for the centre, an edge and a
// corner at four intensities.
TEST_F(GlowBrushTest, WorkedTableOfAmounts)
{
    struct Row {
        std::int32_t intensity;
        std::uint32_t centreRed, centreGreen, edgeRed, edgeGreen, cornerRed, cornerGreen;
    };
    const Row table[] = {
        {0, 255, 254, 151, 46, 101, 0},
        {-64, 192, 128, 87, 0, 37, 0},
        {-128, 128, 0, 23, 0, 0, 0},
        {-191, 65, 0, 0, 0, 0, 0},
    };
    for (const Row& row : table) {
        Image image;
        fillImage(image, 6, 6, 0);
        brush.stamp(1, 1, shades, row.intensity, image);
        const Pixel* p = image.pixels();
        const Pixel centre = p[2 * 6 + 2], edge = p[1 * 6 + 2], corner = p[1 * 6 + 1];
        SCOPED_TRACE(row.intensity);
        EXPECT_EQ(redOf(centre), row.centreRed);
        EXPECT_EQ(greenOf(centre), row.centreGreen);
        EXPECT_EQ(redOf(edge), row.edgeRed);
        EXPECT_EQ(greenOf(edge), row.edgeGreen);
        EXPECT_EQ(redOf(corner), row.cornerRed);
        EXPECT_EQ(greenOf(corner), row.cornerGreen);
        EXPECT_EQ(blueOf(centre) | blueOf(edge) | blueOf(corner), 0u);
    }
}

// Every intensity the tables admit (-356..256), every weight position, on
// black: the stamp adds exactly the amounts of the rule above.
TEST_F(GlowBrushTest, EveryAdmittedIntensityAddsTheFormulaAmounts)
{
    Image image;
    for (std::int32_t intensity = -356; intensity <= 256; ++intensity) {
        fillImage(image, 5, 5, 0);
        brush.stamp(0, 0, shades, intensity, image);
        for (int i = 0; i < 9; ++i) {
            const Pixel p = image.pixels()[(i / 3) * 5 + i % 3];
            const Pixel expected = (static_cast<Pixel>(redAmount(kWeights[i], intensity)) << 16) |
                                   (static_cast<Pixel>(greenAmount(kWeights[i], intensity)) << 8);
            ASSERT_EQ(p, expected) << "intensity " << intensity << " position " << i;
        }
    }
}

TEST_F(GlowBrushTest, BoundsAcceptTheSafeAreaAndRefuseTheRest)
{
    const int w = 20, h = 12;
    const Pixel background = 0x00010203;
    struct Case {
        int x, y;
        bool drawn;
    };
    const Case cases[] = {
        {0, 0, true},          {w - 4, 0, true},      {0, h - 4, true},     {w - 4, h - 4, true},
        {w - 3, 0, false},     {0, h - 3, false},     {-1, 0, false},       {0, -1, false},
        {w - 3, h - 3, false}, {w, 5, false},         {5, h, false},        {-2, -2, false},
        {INT32_MIN, 0, false}, {0, INT32_MIN, false}, {INT32_MAX, 0, false}, {0, INT32_MAX, false},
    };
    for (const Case& c : cases) {
        Image image;
        fillImage(image, w, h, background);
        brush.stamp(c.x, c.y, shades, 0, image);
        int changed = 0;
        for (int i = 0; i < w * h; ++i)
            changed += image.pixels()[i] != background;
        SCOPED_TRACE(::testing::Message() << "x " << c.x << " y " << c.y);
        EXPECT_EQ(changed, c.drawn ? 9 : 0);
        if (c.drawn) {
            EXPECT_EQ(changedOutsideBlock(image, c.x, c.y, background), 0);
        }
    }
}

TEST_F(GlowBrushTest, RightmostBlockReachesColumnWidthMinusTwo)
{
    Image image;
    fillImage(image, 10, 10, 0);
    brush.stamp(6, 6, shades, 0, image);
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 10; ++col) {
            const bool inBlock = col >= 6 && col <= 8 && row >= 6 && row <= 8;
            EXPECT_EQ(image.pixels()[row * 10 + col] != 0, inBlock) << col << "," << row;
        }
    // The last column and the last row stay untouched.
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(image.pixels()[i * 10 + 9], 0u);
        EXPECT_EQ(image.pixels()[9 * 10 + i], 0u);
    }
}

TEST_F(GlowBrushTest, ChannelsSaturateAndBlueAndTopByteNeverChange)
{
    Image image;
    // Red 200, green 200, blue 0x5A, top byte 0xA5.
    fillImage(image, 5, 5, 0xA5C8C85Au);
    brush.stamp(1, 1, shades, 0, image);
    const Pixel centre = image.pixels()[2 * 5 + 2];
    EXPECT_EQ(centre, 0xA5FFFF5Au);
    const Pixel corner = image.pixels()[1 * 5 + 1];
    EXPECT_EQ(redOf(corner), 255u);   // 200 + 101 saturates
    EXPECT_EQ(greenOf(corner), 200u); // corner adds no green at intensity 0
    EXPECT_EQ(blueOf(corner), 0x5Au);
    EXPECT_EQ(corner >> 24, 0xA5u);

    fillImage(image, 5, 5, 0x00FFFFFFu);
    brush.stamp(0, 0, shades, 0, image);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(image.pixels()[i], 0x00FFFFFFu);
}

TEST_F(GlowBrushTest, OverlappingStampsAddAndSaturate)
{
    Image image;
    fillImage(image, 6, 6, 0);
    brush.stamp(1, 1, shades, -128, image);
    brush.stamp(1, 1, shades, -128, image);
    EXPECT_EQ(image.pixels()[2 * 6 + 2], 0x00FF0000u); // 128 + 128 saturates at 255
    EXPECT_EQ(image.pixels()[1 * 6 + 2], 0x002E0000u); // edge 23 + 23
    EXPECT_EQ(image.pixels()[1 * 6 + 1], 0u);          // corner adds nothing

    // Shifted by one: the overlap adds the two amounts of its positions.
    fillImage(image, 6, 6, 0);
    brush.stamp(1, 1, shades, -64, image);
    brush.stamp(2, 1, shades, -64, image);
    // (2, 2) is the first stamp's centre (192/128) and the second's edge (87/0).
    EXPECT_EQ(image.pixels()[2 * 6 + 2], 0x00FF8000u);
    // (3, 1) is the first stamp's corner (37) and the second's edge (87).
    EXPECT_EQ(image.pixels()[1 * 6 + 3], 0x007C0000u);
}

// Outside the admitted range the ramps are flat, so the stamp adds the end
// values of the ramps: nothing below, the full glow above.
TEST_F(GlowBrushTest, IntensitiesOutsideTheTablesGiveTheRampEnds)
{
    Image dim, bright, reference;
    fillImage(dim, 5, 5, 0x00102030u);
    brush.stamp(0, 0, shades, INT32_MIN, dim);
    brush.stamp(0, 0, shades, -100000, dim);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(dim.pixels()[i], 0x00102030u);

    fillImage(bright, 5, 5, 0);
    fillImage(reference, 5, 5, 0);
    brush.stamp(0, 0, shades, INT32_MAX, bright);
    brush.stamp(0, 0, shades, 256, reference);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(bright.pixels()[i], reference.pixels()[i]);
    EXPECT_EQ(bright.pixels()[0], 0x00FFFE00u);
}
