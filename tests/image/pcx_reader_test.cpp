#include "image/pcx_reader.h"
#include "pcx_writer.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

class PcxReaderTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const std::string path = folder + "/" + name;
        EXPECT_TRUE(writeFileAtomically(path, bytes));
        return path;
    }

    // A file with a zero header, the given index bytes and a palette whose
    // entry k is (k, 255 - k, k / 2) unless set otherwise.
    std::vector<std::uint8_t> rawFile(const std::vector<std::uint8_t>& indexBytes,
                                      PcxPalette palette = gradientPalette())
    {
        std::vector<std::uint8_t> bytes(128 + indexBytes.size() + 1 + 768, 0);
        std::copy(indexBytes.begin(), indexBytes.end(), bytes.begin() + 128);
        bytes[128 + indexBytes.size()] = 0x0C;
        std::copy(palette.rgb.begin(), palette.rgb.end(), bytes.end() - 768);
        return bytes;
    }

    static PcxPalette gradientPalette()
    {
        PcxPalette palette;
        for (int k = 0; k < 256; ++k) {
            palette.rgb[3 * k] = static_cast<std::uint8_t>(k);
            palette.rgb[3 * k + 1] = static_cast<std::uint8_t>(255 - k);
            palette.rgb[3 * k + 2] = static_cast<std::uint8_t>(k / 2);
        }
        return palette;
    }

    static Pixel colour(int k) { return static_cast<Pixel>((k << 16) | ((255 - k) << 8) | (k / 2)); }

    const TemporaryFolder temporary;
    const std::string folder = temporary.path();
    PcxReader reader;
};

TEST_F(PcxReaderTest, DecodesTheWorkedExampleWithBothWaysOfWritingIndexZero)
{
    PcxPalette palette;
    palette.rgb[0] = 9; // entry 0 is not black: a run of 0 still writes 0
    palette.rgb[15] = 1;
    palette.rgb[16] = 2;
    palette.rgb[17] = 3;
    palette.rgb[21] = 16;
    palette.rgb[22] = 32;
    palette.rgb[23] = 48;
    const auto path = write("six.pcx", rawFile({5, 195, 7, 193, 0, 7}, palette));

    auto image = reader.load(6, 1, path.c_str());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width(), 6);
    const std::vector<Pixel> expected = {0x010203, 0x102030, 0x102030, 0x102030, 0, 0x102030};
    EXPECT_EQ(std::vector<Pixel>(image->pixels(), image->pixels() + 6), expected);

    const auto single = write("single.pcx", rawFile({0}, palette));
    EXPECT_EQ(reader.load(1, 1, single.c_str())->pixels()[0], 0x090000u);
}

TEST_F(PcxReaderTest, RoundTripsWhatTheWriterEncodes)
{
    const int width = 70, height = 9;
    std::vector<std::uint8_t> indices(width * height);
    for (int i = 0; i < width * height; ++i)
        indices[i] = static_cast<std::uint8_t>((i / 5) % 7 == 0 ? 200 : (i * 37) % 256 | 1);
    const auto path = write("trip.pcx", encodePcx(width, height, indices, gradientPalette()));

    auto image = reader.load(width, height, path.c_str());
    ASSERT_TRUE(image);
    for (int i = 0; i < width * height; ++i)
        ASSERT_EQ(image->pixels()[i], colour(indices[i])) << "pixel " << i;
    for (int i = 0; i < width * height; ++i)
        ASSERT_EQ(image->pixels()[i] >> 24, 0u);
}

TEST_F(PcxReaderTest, RunsThatOverflowPileOntoTheLastPixel)
{
    // 4 pixels: a run of 3 of index 10, then a run of 5 of index 20 which has
    // only one pixel left; decoding stops after it.
    const auto path = write("overflow.pcx", rawFile({195, 10, 197, 20, 30, 30}));
    auto image = reader.load(4, 1, path.c_str());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels()[2], colour(10));
    EXPECT_EQ(image->pixels()[3], colour(20));
}

TEST_F(PcxReaderTest, DamagedStreamsDecodeDeterministically)
{
    // A run of length 0 consumes its colour byte and skips a pixel, which
    // stays cleared.
    const auto zeroRun = write("zero-run.pcx", rawFile({5, 192, 9, 6}));
    auto image = reader.load(3, 1, zeroRun.c_str());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels()[0], colour(5));
    EXPECT_EQ(image->pixels()[1], 0u);
    EXPECT_EQ(image->pixels()[2], colour(6));

    // A stream cut short: reads past the end count as 255, a run of 63 of
    // palette entry 255. Here the palette read also runs out.
    std::vector<std::uint8_t> truncated(130, 0);
    truncated[128] = 4;
    truncated[129] = 193;
    const auto cut = write("cut.pcx", truncated);
    auto first = reader.load(8, 8, cut.c_str());
    auto second = reader.load(8, 8, cut.c_str());
    ASSERT_TRUE(first && second);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(first->pixels()[i], second->pixels()[i]);

    // An empty file decodes to palette entry 255 everywhere.
    const auto empty = write("empty.pcx", {});
    auto blank = reader.load(5, 5, empty.c_str());
    ASSERT_TRUE(blank);
    for (int i = 0; i < 25; ++i)
        ASSERT_EQ(blank->pixels()[i], 0xFFFFFFu);
}

TEST_F(PcxReaderTest, FilesThatCannotBeOpenedGiveNoImage)
{
    EXPECT_FALSE(reader.load(4, 4, (folder + "/missing.pcx").c_str()));
    const std::string directory = folder + "/dir.pcx";
    ASSERT_EQ(mkdir(directory.c_str(), 0700), 0);
    EXPECT_FALSE(reader.load(4, 4, directory.c_str()));
}

TEST_F(PcxReaderTest, TheCallersSizeWinsOverTheHeader)
{
    std::vector<std::uint8_t> indices = {1, 2, 3, 4, 5, 6};
    const auto path = write("wide.pcx", encodePcx(6, 1, indices, gradientPalette()));
    auto image = reader.load(2, 3, path.c_str());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width(), 2);
    ASSERT_EQ(image->height(), 3);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(image->pixels()[i], colour(indices[i]));
}

} // namespace
