// The picture loader reading two stretches of the file in one call each,
// against the byte-by-byte stream reader: the same image and palette for the
// show's pictures and for damaged files of every length.
#include "support/baseline/baseline.h"
#include "image/pcx_reader.h"
#include "random_inputs.h"
#include "support/show_pictures.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class PcxEquivalence : public ::testing::Test {
protected:
    void expectSameLoad(const std::string& path, std::int32_t width, std::int32_t height)
    {
        std::int32_t theirPalette[768];
        std::unique_ptr<Image> ours = reader.load(width, height, path.c_str());
        std::unique_ptr<Image> theirs = baseline::loadPcx(width, height, path.c_str(), theirPalette);
        ASSERT_EQ(ours == nullptr, theirs == nullptr) << path;
        if (!ours)
            return;
        ASSERT_TRUE(samePixels(*ours, *theirs)) << path << " " << width << "x" << height;
        for (int i = 0; i < 768; ++i)
            ASSERT_EQ(reader.palette()[i], theirPalette[i]) << path << " palette " << i;
    }

    void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    PcxReader reader;
    const TemporaryFolder temporary;
    const std::string folder = temporary.path();
};

TEST_F(PcxEquivalence, TheShowsPictures)
{
    writeShowPictures(folder);
    for (int number = 1; number <= 7; ++number) {
        const ShowPicture& picture = showPicture(number);
        expectSameLoad(folder + "/" + picture.name, picture.width, picture.height);
        // Asked for another size, the stream is cut short or left unread.
        expectSameLoad(folder + "/" + picture.name, picture.width * 2, picture.height + 3);
        expectSameLoad(folder + "/" + picture.name, 3, 2);
    }
}

// Random bytes of every length around the header and palette sizes, with
// many run codes (some of length 0), at sizes that ask for more or fewer
// pixels than the file codes.
TEST_F(PcxEquivalence, DamagedFilesOfAnyLength)
{
    RandomInputs random(5u);
    const std::string path = folder + "/damaged.pcx";
    std::vector<std::int32_t> lengths = {0, 1, 127, 128, 129, 767, 768, 769, 895, 896, 897};
    for (int round = 0; round < 60; ++round)
        lengths.push_back(random.between(0, 4000));
    for (std::int32_t length : lengths) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
        for (std::uint8_t& b : bytes)
            b = static_cast<std::uint8_t>(random.chance(40) ? random.between(192, 255) : random.between(0, 255));
        writeFile(path, bytes);
        for (const auto& size : {std::pair<int, int>{1, 1}, {17, 9}, {64, 40}, {0, 5}, {-3, 4}}) {
            SCOPED_TRACE(length);
            expectSameLoad(path, size.first, size.second);
        }
    }
}

TEST_F(PcxEquivalence, WhatCannotBeOpenedAsAFile)
{
    expectSameLoad(folder + "/missing.pcx", 4, 4);
    expectSameLoad(folder, 4, 4);
}

} // namespace
