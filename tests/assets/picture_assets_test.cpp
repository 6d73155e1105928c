// The generated pictures as the show sees them: written as PCX, read back by
// the show's loader at the sizes it asks for, and checked for what each
// picture is for (additive cards on black, a glow that fades out before its
// border, a terrain whose blue is its height and that wraps without a seam).
#include "glow_sprite.h"
#include "image/pcx_reader.h"
#include "pcx_writer.h"
#include "scene/show_facts.h"
#include "support/show_pictures.h"
#include "support/temporary_folder.h"
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
    const TemporaryFolder temporary;
    const std::string& folder = temporary.path();
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

struct LitBox {
    int left, right, top, bottom; // inclusive; left > right when nothing is lit
    int brightPixels;             // pixels whose brightest channel reaches the asked level
};

// The box around the pixels of columns lit in at least minRows rows (1: any
// lit pixel), and the count of pixels at least as bright as brightLevel.
LitBox litBox(const IndexedPicture& card, int minRows, int brightLevel)
{
    LitBox box{card.width, -1, card.height, -1, 0};
    for (int x = 0; x < card.width; ++x) {
        int rows = 0, top = card.height, bottom = -1;
        for (int y = 0; y < card.height; ++y) {
            const Pixel colour = paletteColour(card.palette, card.at(x, y));
            box.brightPixels += brightest(colour) >= brightLevel;
            if (colour == 0)
                continue;
            ++rows;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        if (rows < minRows)
            continue;
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, top);
        box.bottom = std::max(box.bottom, bottom);
    }
    return box;
}

// Title cards are added onto the frame: black must be black (index 0, which
// a run of zeros turns into the value 0), nothing may touch the border (the
// card would show a hard edge), and the art must be bright and tall enough
// to read when the card is drawn small.
TEST(PictureAssets, titleCardsAreBrightArtOnBlackClearOfTheBorder)
{
    const std::function<IndexedPicture()> cards[] = {makeNameCard, makeTaglineCard, makeEmblemCard,
                                                     makeCreditsCard, makeFarewellCard};
    for (const auto& make : cards) {
        const IndexedPicture card = make();
        SCOPED_TRACE(card.width);
        EXPECT_EQ(paletteColour(card.palette, 0), 0u);
        // Card 1 is drawn twice over itself, so half strength is its full.
        const int full = card.width == 522 ? 150 : 255;
        const LitBox box = litBox(card, 1, full);
        EXPECT_GT(box.left, 0);
        EXPECT_GT(box.top, 0);
        EXPECT_LT(box.right, card.width - 1);
        EXPECT_LT(box.bottom, card.height - 1);
        EXPECT_GT(box.bottom - box.top, card.height * 6 / 10) << "the art is too low to read when drawn small";
        EXPECT_GT(box.brightPixels, card.width * card.height / 50);
    }
}

// Each card's lettering is laid out for the size the show draws it at: the
// name small in the middle (the card starts many screens wide), the tagline
// and the credits no wider than the screen while they are legible (they grow
// to 1.0 and 1.33 times their pictures' size before they have faded).
TEST(PictureAssets, titleLetteringStaysOnScreenWhileItIsLegible)
{
    // Columns lit in at least 8 rows hold letters, not the name's streaks.
    const LitBox name = litBox(makeNameCard(), 8, 256);
    EXPECT_LT(name.right - name.left, 522 / 5);
    EXPECT_NEAR((name.left + name.right) / 2.0, 522 / 2.0, 3.0);
    const LitBox tagline = litBox(makeTaglineCard(), 1, 256);
    EXPECT_LE(tagline.right - tagline.left, 390);
    EXPECT_GT(tagline.right - tagline.left, 300);
    const LitBox credits = litBox(makeCreditsCard(), 1, 256);
    EXPECT_LE((credits.right - credits.left) * 4 / 3, show::screenWidth);
}

TEST(PictureAssets, creditsStandOnTwoLinesWithADarkGapBetween)
{
    const IndexedPicture card = makeCreditsCard();
    std::vector<int> litRows;
    for (int y = 0; y < card.height; ++y) {
        int lit = 0;
        for (int x = 0; x < card.width; ++x)
            lit += brightest(paletteColour(card.palette, card.at(x, y))) >= 128;
        litRows.push_back(lit);
    }
    int bands = 0;
    for (int y = 0; y < card.height; ++y)
        bands += litRows[y] > 0 && (y == 0 || litRows[y - 1] == 0);
    EXPECT_EQ(bands, 2);
}

TEST(PictureAssets, theNameCardsTwoCopiesAddUpToGoldNotWhite)
{
    // No colour of card 1 doubled reaches white in every channel.
    const IndexedPicture card = makeNameCard();
    for (int i = 0; i < 256; ++i) {
        const Pixel colour = paletteColour(card.palette, i);
        const int weakest = std::min({static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                                      static_cast<int>(colour & 0xFF)});
        EXPECT_LT(weakest * 2, 250) << i;
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
