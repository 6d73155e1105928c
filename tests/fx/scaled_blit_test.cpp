#include "fx/clamp_tables.h"
#include "support/screen_size.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A source whose blue channel tells the column and green the row (both + 1),
// so a drawn target pixel tells which source pixel it sampled.
void makeCoordinateSource(Image& source, int width, int height)
{
    source.resize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            source.pixels()[y * width + x] = static_cast<Pixel>(((y + 1) << 8) | (x + 1));
}

int sampledColumn(const Image& target, int x, int y)
{
    return static_cast<int>(target.pixels()[y * target.width() + x] & 0xFF) - 1;
}

int sampledRow(const Image& target, int x, int y)
{
    return static_cast<int>((target.pixels()[y * target.width() + x] >> 8) & 0xFF) - 1;
}

class ScaledBlit : public ::testing::Test {
protected:
    ClampTables tables;
    Image source;
    Image target;
};

TEST_F(ScaledBlit, DoubledSpriteSamplesTheSourcePointUnderEachRightEdge)
{
    makeCoordinateSource(source, 64, 64);
    fillImage(target, kWidth, kHeight, 0);
    tables.blitAdditive(100.5f, 100.5f, 128.0f, 128.0f, source, target);

    EXPECT_EQ(target.pixels()[100 * kWidth + 35], 0u);
    EXPECT_EQ(sampledColumn(target, 36, 100), 0);
    EXPECT_EQ(sampledColumn(target, 37, 100), 0);
    EXPECT_EQ(sampledColumn(target, 38, 100), 1);
    EXPECT_EQ(sampledColumn(target, 162, 100), 63);
    EXPECT_EQ(sampledColumn(target, 163, 100), 63);
    EXPECT_EQ(target.pixels()[100 * kWidth + 164], 0u);
    EXPECT_EQ(sampledRow(target, 100, 36), 0);
    EXPECT_EQ(sampledRow(target, 100, 163), 63);
    for (int x = 36; x <= 163; ++x)
        ASSERT_EQ(sampledColumn(target, x, 80), (x - 36) / 2);
}

TEST_F(ScaledBlit, AddsWithSaturationAndBlackAddsNothing)
{
    fillImage(source, 4, 4, 0x646464);                   // 100 in each channel
    fillImage(target, 20, 20, 0xC86432);                 // 200, 100, 50
    tables.blitAdditive(10.0f, 10.0f, 4.0f, 4.0f, source, target);
    EXPECT_EQ(target.pixels()[10 * 20 + 10], 0xFFC896u); // 255, 200, 150
    EXPECT_EQ(target.pixels()[0], 0xC86432u);

    fillImage(source, 4, 4, 0);
    tables.blitAdditive(10.0f, 10.0f, 12.0f, 12.0f, source, target);
    EXPECT_EQ(target.pixels()[6 * 20 + 6], 0xC86432u);
}

TEST_F(ScaledBlit, RejectsTooSmallOrOffTargetRectangles)
{
    fillImage(source, 8, 8, 0x101010);
    fillImage(target, 32, 32, 0);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    tables.blitAdditive(10.0f, 10.0f, 0.99f, 8.0f, source, target);
    tables.blitAdditive(10.0f, 10.0f, 8.0f, 0.5f, source, target);
    tables.blitAdditive(10.0f, 10.0f, nan, 8.0f, source, target);
    tables.blitAdditive(nan, 10.0f, 8.0f, 8.0f, source, target);
    tables.blitAdditive(-4.1f, 10.0f, 8.0f, 8.0f, source, target);  // right edge below 1
    tables.blitAdditive(36.0f, 10.0f, 8.0f, 8.0f, source, target);  // starts at the right edge
    tables.blitAdditive(10.0f, 36.0f, 8.0f, 8.0f, source, target);  // starts at the bottom edge
    tables.blitFaded(10.0f, 10.0f, 0.5f, 8.0f, 1.0f, source, target);
    for (int i = 0; i < 32 * 32; ++i)
        ASSERT_EQ(target.pixels()[i], 0u);
}

TEST_F(ScaledBlit, NeverWritesTheLastColumnOrRow)
{
    fillImage(source, 8, 8, 0xF0F0F0);
    fillImage(target, 32, 24, 0);
    tables.blitAdditive(28.0f, 20.0f, 30.0f, 30.0f, source, target);
    tables.blitFaded(28.0f, 20.0f, 30.0f, 30.0f, 0.5f, source, target);
    EXPECT_NE(target.pixels()[22 * 32 + 30], 0u);
    for (int y = 0; y < 24; ++y)
        ASSERT_EQ(target.pixels()[y * 32 + 31], 0u);
    for (int x = 0; x < 32; ++x)
        ASSERT_EQ(target.pixels()[23 * 32 + x], 0u);
}

TEST_F(ScaledBlit, EdgesTruncateTowardZero)
{
    // left = -0.5 truncates to column 0, whose accumulator starts at 1.5 steps.
    makeCoordinateSource(source, 4, 4);
    fillImage(target, 16, 16, 0);
    tables.blitAdditive(1.5f, 6.0f, 4.0f, 4.0f, source, target);
    EXPECT_EQ(sampledColumn(target, 0, 6), 1);
    EXPECT_EQ(sampledColumn(target, 1, 6), 2);
    EXPECT_EQ(sampledColumn(target, 2, 6), 3);
    EXPECT_EQ(target.pixels()[6 * 16 + 3], 0u); // right = 3.5 ends the row at column 2
}

TEST_F(ScaledBlit, WholeNumberEdgesStayInsideTheSource)
{
    // Drawn at its own size around a whole-number centre, the last column and
    // row would step one past the source; they repeat the last one instead.
    makeCoordinateSource(source, 64, 64);
    fillImage(target, kWidth, kHeight, 0);
    tables.blitAdditive(100.0f, 100.0f, 64.0f, 64.0f, source, target);
    EXPECT_EQ(sampledColumn(target, 68, 90), 1);
    EXPECT_EQ(sampledColumn(target, 130, 90), 63);
    EXPECT_EQ(sampledColumn(target, 131, 90), 63);
    EXPECT_EQ(sampledRow(target, 90, 131), 63);
}

TEST_F(ScaledBlit, HugeAndInfiniteRectanglesAreClippedSafely)
{
    makeCoordinateSource(source, 8, 8);
    fillImage(target, 40, 30, 0);
    tables.blitAdditive(20.0f, 15.0f, 1e30f, 1e30f, source, target);
    // The step rounds to zero: every drawn pixel samples the first source pixel.
    EXPECT_EQ(target.pixels()[0], 0x0101u);
    EXPECT_EQ(target.pixels()[28 * 40 + 38], 0x0101u);
    EXPECT_EQ(target.pixels()[29 * 40 + 39], 0u);

    fillImage(target, 40, 30, 0);
    const float infinity = std::numeric_limits<float>::infinity();
    tables.blitAdditive(20.0f, 15.0f, infinity, infinity, source, target);
    tables.blitFaded(infinity, -infinity, 5.0f, 5.0f, 0.5f, source, target);
    tables.blitFaded(20.0f, 15.0f, 174000.0f, 6167.0f, infinity, source, target);
    EXPECT_EQ(target.pixels()[29 * 40 + 39], 0u);
}

TEST_F(ScaledBlit, FadeLowersEverySourceChannelBeforeAdding)
{
    fillImage(source, 4, 4, 0xC86400);                 // 200, 100, 0
    fillImage(target, 16, 16, 0x646464);               // 100 each
    tables.blitFaded(8.0f, 8.0f, 6.0f, 6.0f, 0.5f, source, target);
    EXPECT_EQ(target.pixels()[8 * 16 + 8], 0xAD6464u); // 100 + 73, 100 + 0, 100

    Image before;
    fillImage(before, 16, 16, 0x646464);
    fillImage(target, 16, 16, 0x646464);
    for (const float level : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()})
        tables.blitFaded(8.0f, 8.0f, 6.0f, 6.0f, level, source, target);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(target.pixels()[i], before.pixels()[i]);
}

TEST_F(ScaledBlit, FullLevelIsTheAdditiveBlitAndLowerLevelsStepOneShort)
{
    makeCoordinateSource(source, 3, 3);
    Image additive;
    fillImage(additive, 64, 64, 0);
    tables.blitAdditive(31.3f, 30.7f, 30.0f, 30.0f, source, additive);
    for (const float level : {1.0f, 0.999f, 7.5f}) {
        fillImage(target, 64, 64, 0);
        tables.blitFaded(31.3f, 30.7f, 30.0f, 30.0f, level, source, target);
        for (int i = 0; i < 64 * 64; ++i)
            ASSERT_EQ(target.pixels()[i], additive.pixels()[i]) << "level " << level;
    }

    // At a lower level the step is (width - 1) / 30 of the 3-pixel source:
    // the second column begins 15 pixels in, not 10 as at full level.
    fillImage(source, 3, 3, 0);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y)
            source.pixels()[y * 3 + x] = static_cast<Pixel>((200 + 20 * x) << 16);
    fillImage(target, 64, 64, 0);
    tables.blitFaded(50.0f, 50.0f, 30.0f, 30.0f, 0.5f, source, target);
    EXPECT_EQ(target.pixels()[40 * 64 + 35 + 14] >> 16, 73u);
    EXPECT_EQ(target.pixels()[40 * 64 + 35 + 15] >> 16, 93u);
}

} // namespace
