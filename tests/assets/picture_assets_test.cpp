// The generated pictures as the show sees them: written as PCX, read back by
// the show's loader at the sizes it asks for, and checked for what each
// picture is for (additive cards on black, a glow that fades out before its
// border, a terrain whose blue is its height and that wraps without a seam).
#include "glow_sprite.h"
#include "image/pcx_reader.h"
#include "pcx_writer.h"
#include "support/show_pictures.h"
#include "support/test_pictures.h"
#include "terrain_map.h"
#include "title_cards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

Pixel paletteColour(const PcxPalette& palette, int index)
{
    const std::size_t at = static_cast<std::size_t>(index) * 3;
    return (static_cast<Pixel>(palette.rgb[at]) << 16) | (static_cast<Pixel>(palette.rgb[at + 1]) << 8) |
           palette.rgb[at + 2];
}

int brightest(Pixel p)
{
    return std::max({static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)});
}

// The seven pictures with their numbers in the show.
std::vector<std::pair<int, std::function<IndexedPicture()>>> allPictures()
{
    return {{1, makeNameCard}, {2, makeTaglineCard}, {3, makeEmblemCard}, {4, makeCreditsCard},
            {5, makeFarewellCard}, {6, makeGlowSprite}, {7, makeTerrainMap}};
}

TEST(PictureAssets, showLoaderReadsEveryPictureAtItsShowSizeAsThePaletteColours)
{
    const std::string folder = makeTemporaryFolder();
    PcxReader reader;
    for (const auto& [number, make] : allPictures()) {
        SCOPED_TRACE(number);
        const ShowPicture& expected = showPicture(number);
        const IndexedPicture picture = make();
        ASSERT_EQ(picture.width, expected.width);
        ASSERT_EQ(picture.height, expected.height);
        const std::string path = folder + "/" + expected.name;
        ASSERT_TRUE(writeFileAtomically(path, picture.toPcx()));

        const std::unique_ptr<Image> image = reader.load(expected.width, expected.height, path.c_str());
        ASSERT_NE(image, nullptr);
        int wrong = 0;
        for (std::size_t i = 0; i < picture.indices.size(); ++i)
            wrong += image->pixels()[i] != paletteColour(picture.palette, picture.indices[i]);
        EXPECT_EQ(wrong, 0);
        std::remove(path.c_str());
    }
    std::remove(folder.c_str());
}

// Title cards are added onto the frame: black must be black (index 0, which
// a run of zeros turns into the value 0), nothing may touch the border (the
// card would show a hard edge), and the art must be bright and fill the card.
TEST(PictureAssets, titleCardsAreBrightArtOnBlackThatFillsTheCard)
{
    const std::function<IndexedPicture()> cards[] = {makeNameCard, makeTaglineCard, makeEmblemCard,
                                                     makeCreditsCard, makeFarewellCard};
    for (const auto& make : cards) {
        const IndexedPicture card = make();
        SCOPED_TRACE(card.width);
        EXPECT_EQ(paletteColour(card.palette, 0), 0u);
        int left = card.width, right = -1, top = card.height, bottom = -1, fullyLit = 0;
        for (int y = 0; y < card.height; ++y) {
            for (int x = 0; x < card.width; ++x) {
                const Pixel colour = paletteColour(card.palette, card.at(x, y));
                if (colour == 0)
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                fullyLit += brightest(colour) == 255;
            }
        }
        EXPECT_GT(left, 0);
        EXPECT_GT(top, 0);
        EXPECT_LT(right, card.width - 1);
        EXPECT_LT(bottom, card.height - 1);
        EXPECT_GT(bottom - top, card.height * 6 / 10) << "the art is too low to read when drawn small";
        EXPECT_GT(right - left, card.width / 2);
        EXPECT_GT(fullyLit, card.width * card.height / 50);
    }
}

TEST(PictureAssets, spriteIsARoundGlowFadingToBlackBeforeItsBorder)
{
    const IndexedPicture sprite = makeGlowSprite();
    const auto level = [&](int x, int y) { return brightest(paletteColour(sprite.palette, sprite.at(x, y))); };
    for (int i = 0; i < sprite.width; ++i) {
        EXPECT_EQ(level(i, 0), 0);
        EXPECT_EQ(level(i, sprite.height - 1), 0);
        EXPECT_EQ(level(0, i), 0);
        EXPECT_EQ(level(sprite.width - 1, i), 0);
    }
    // The centre is white hot, and brightness never rises going out from it.
    // The centre lies between pixels 31 and 32, so the picture mirrors there,
    // and the arms along both axes match: a round glow, not a square one.
    EXPECT_GE(level(32, 32), 200);
    for (int r = 1; r < 32; ++r) {
        EXPECT_LE(level(32 + r, 32), level(32 + r - 1, 32));
        EXPECT_EQ(level(31 - r, 32), level(32 + r, 32));
        EXPECT_EQ(level(32, 32 + r), level(32 + r, 32));
    }
    // At (d, d) the distance is d * sqrt(2): darker than on the axis at d.
    EXPECT_LT(level(32 + 10, 32 + 10), level(32 + 10, 32));
    // About ten copies overlap on every pixel of a strand: outside its small
    // core the sprite is only a faint halo, or the ring burns to white.
    EXPECT_LT(level(32 + 12, 32) * 6, level(32, 32));
    long total = 0;
    for (int y = 0; y < sprite.height; ++y)
        for (int x = 0; x < sprite.width; ++x)
            total += level(x, y);
    EXPECT_LT(total, 64 * 64 * 12) << "the sprite carries too much light";
}

class TerrainAssetTest : public ::testing::Test {
protected:
    IndexedPicture map = makeTerrainMap();

    int height(int x, int y) const { return map.palette.rgb[static_cast<std::size_t>(map.at(x & 255, y & 255)) * 3 + 2]; }

    // Mean absolute height step between neighbours: across the map's inside,
    // or only across the wrap from the last column (row) to the first.
    double meanStep(bool acrossWrap, bool horizontal) const
    {
        long sum = 0;
        long count = 0;
        for (int a = 0; a < 256; ++a) {
            for (int b = acrossWrap ? 255 : 0; b < (acrossWrap ? 256 : 255); ++b) {
                sum += horizontal ? std::abs(height(b + 1, a) - height(b, a)) : std::abs(height(a, b + 1) - height(a, b));
                ++count;
            }
        }
        return static_cast<double>(sum) / count;
    }
};

TEST_F(TerrainAssetTest, blueRisesWithIndexSoTheIndexIsTheHeight)
{
    for (int i = 1; i < 256; ++i)
        EXPECT_GT(map.palette.rgb[static_cast<std::size_t>(i) * 3 + 2], map.palette.rgb[static_cast<std::size_t>(i - 1) * 3 + 2]) << i;
    int lowest = 255, highest = 0;
    for (std::uint8_t index : map.indices) {
        lowest = std::min<int>(lowest, index);
        highest = std::max<int>(highest, index);
    }
    EXPECT_LE(lowest, 10);
    EXPECT_GE(highest, 245);
}

int channel(const PcxPalette& palette, int index, int c)
{
    return palette.rgb[static_cast<std::size_t>(index) * 3 + c];
}

TEST_F(TerrainAssetTest, everyLandColourLeavesHeadroomAndValleysAreGreen)
{
    // The ring and the cards are added onto the land: none of its colours
    // may come near white, not even the peaks in full sun.
    for (int i = 0; i < 256; ++i) {
        const double luminance = 0.2126 * channel(map.palette, i, 0) + 0.7152 * channel(map.palette, i, 1) +
                                 0.0722 * channel(map.palette, i, 2);
        EXPECT_LE(luminance, 0.75 * 255) << i;
    }
    for (int i = 0; i < 64; ++i) {
        EXPECT_GT(channel(map.palette, i, 1), channel(map.palette, i, 0)) << "valley index " << i;
        if (i % kTerrainLightLevels == kTerrainLightLevels - 1) {
            EXPECT_GT(channel(map.palette, i, 1), channel(map.palette, i, 2)) << "sunlit valley index " << i;
        }
    }
}

TEST_F(TerrainAssetTest, lightLevelsOfABandShareItsHeightAndRiseInBrightness)
{
    for (int band = 0; band < 256 / kTerrainLightLevels; ++band) {
        for (int level = 1; level < kTerrainLightLevels; ++level) {
            const int darker = band * kTerrainLightLevels + level - 1;
            const int lighter = darker + 1;
            EXPECT_EQ(channel(map.palette, lighter, 2) - channel(map.palette, darker, 2), 1) << lighter;
            EXPECT_GT(channel(map.palette, lighter, 1), channel(map.palette, darker, 1)) << lighter;
            EXPECT_GE(channel(map.palette, lighter, 0), channel(map.palette, darker, 0)) << lighter;
        }
    }
}

TEST_F(TerrainAssetTest, slopesFacingTheSunAreLitAndSlopesAwayAreShaded)
{
    // The sun stands low towards +x: land falling away towards +x faces it.
    double facingSum = 0.0, awaySum = 0.0;
    int facing = 0, away = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const int rise = height(x + 2, y) - height(x - 2, y);
            const int level = map.at(x, y) % kTerrainLightLevels;
            if (rise < -12) {
                facingSum += level;
                ++facing;
            } else if (rise > 12) {
                awaySum += level;
                ++away;
            }
        }
    }
    ASSERT_GT(facing, 2000) << "too little relief";
    ASSERT_GT(away, 2000) << "too little relief";
    EXPECT_GT(facingSum / facing, awaySum / away + 1.0);
}

TEST_F(TerrainAssetTest, mapWrapsWithoutASeam)
{
    // The renderer wraps the map, so the step from the last column to the
    // first must look like any other step between neighbours.
    for (bool horizontal : {true, false}) {
        const double inside = meanStep(false, horizontal);
        const double seam = meanStep(true, horizontal);
        EXPECT_GT(inside, 0.5);
        EXPECT_LT(seam, inside * 1.5) << (horizontal ? "columns" : "rows");
    }
}

} // namespace
