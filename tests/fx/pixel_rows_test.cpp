// The pixel rows on every instruction set this processor runs, against the
// saturating channel tables and the plain per-channel arithmetic: every pair
// of channel values in every channel, any top byte, and row lengths that
// leave tails shorter than a vector.
#include "fx/clamp_tables.h"
#include "fx/pixel_rows.h"
#include "support/simd_levels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

Pixel inChannel(std::uint32_t value, int channel, Pixel background)
{
    const int shift = 8 * channel;
    return (background & ~(0xFFu << shift)) | (value << shift);
}

std::uint32_t channelOf(Pixel p, int channel) { return (p >> (8 * channel)) & 0xFFu; }

// What the channel tables make of a + b: each channel clamped, top byte 0.
Pixel tableSum(const ClampTables& tables, Pixel a, Pixel b)
{
    const std::int32_t* red = tables.redTable() + kChannelTableOffset;
    const std::int32_t* green = tables.greenTable() + kChannelTableOffset;
    const std::int32_t* blue = tables.blueTable() + kChannelTableOffset;
    return static_cast<Pixel>(red[channelOf(a, 2) + channelOf(b, 2)] +
                              green[channelOf(a, 1) + channelOf(b, 1)] +
                              blue[channelOf(a, 0) + channelOf(b, 0)]);
}

// Each channel max(s - fade, 0), top byte 0.
Pixel lowered(Pixel s, std::uint32_t fade)
{
    Pixel result = 0;
    for (int channel = 0; channel < 3; ++channel)
        result |= static_cast<Pixel>(std::max<int>(static_cast<int>(channelOf(s, channel)) -
                                                       static_cast<int>(fade),
                                                   0))
                  << (8 * channel);
    return result;
}

class PixelRows : public ::testing::TestWithParam<SimdLevel> {
protected:
    ScopedSimdLevel level{GetParam()};
    ClampTables tables;
};

TEST_P(PixelRows, AddRowMatchesTheClampTablesForAllPairs)
{
    std::vector<Pixel> target(256), sampled(256);
    for (int channel = 0; channel < 3; ++channel) {
        for (std::uint32_t a = 0; a < 256; ++a) {
            for (std::uint32_t b = 0; b < 256; ++b) {
                // The other channels and the top bytes are kept busy.
                target[b] = inChannel(a, channel, 0xA5000000u | (b * 0x010101u));
                sampled[b] = inChannel(b, channel, 0x5A000000u | (a * 0x010101u));
            }
            std::vector<Pixel> expected(256);
            for (int i = 0; i < 256; ++i)
                expected[i] = tableSum(tables, target[i], sampled[i]);
            addRow(target.data(), sampled.data(), 256);
            ASSERT_EQ(target, expected) << "a = " << a << " in channel " << channel;
        }
    }
}

TEST_P(PixelRows, GatheredRowsLowerAndAddForAllFadesAndChannels)
{
    // Source columns taken backwards and in a shuffled order, so that each
    // vector lane must load its own column.
    std::vector<std::int32_t> columns(256);
    for (int i = 0; i < 256; ++i)
        columns[i] = 255 - i;
    std::shuffle(columns.begin() + 100, columns.end(), std::mt19937(3u));
    std::vector<Pixel> row(256), target(256), sampled(256);
    for (std::uint32_t s = 0; s < 256; ++s)
        row[s] = 0xC3000000u | (s << 16) | ((255 - s) << 8) | ((s * 7) & 0xFF);
    for (std::uint32_t fade = 0; fade < 256; ++fade) {
        for (int i = 0; i < 256; ++i)
            target[i] = 0x7E000000u | static_cast<Pixel>((i * 2654435761u) & 0xFFFFFF);
        std::vector<Pixel> expectedSampled(256), expectedSum(256);
        for (int i = 0; i < 256; ++i) {
            expectedSampled[i] = lowered(row[columns[i]], fade);
            expectedSum[i] = tableSum(tables, target[i], expectedSampled[i]);
        }
        gatherRow(sampled.data(), row.data(), 256, columns.data(), 256, fade);
        ASSERT_EQ(sampled, expectedSampled) << "fade " << fade;
        addGatheredRow(target.data(), row.data(), 256, columns.data(), 256, fade);
        ASSERT_EQ(target, expectedSum) << "fade " << fade;
    }
}

TEST_P(PixelRows, TrailBlendHalvesEveryPairOfChannels)
{
    std::vector<Pixel> pixels(65536), previous(65536), expected(65536);
    for (int channel = 0; channel < 3; ++channel) {
        for (std::uint32_t a = 0; a < 256; ++a)
            for (std::uint32_t b = 0; b < 256; ++b) {
                const std::size_t i = a * 256 + b;
                pixels[i] = inChannel(a, channel, 0xFF000000u | (b * 0x010101u));
                previous[i] = inChannel(b, channel, 0x81000000u | (a * 0x010101u));
                Pixel sum = 0;
                for (int c = 0; c < 3; ++c)
                    sum |= ((channelOf(pixels[i], c) >> 1) + (channelOf(previous[i], c) >> 1)) << (8 * c);
                expected[i] = sum;
            }
        blendHalves(pixels.data(), previous.data(), pixels.size());
        ASSERT_EQ(pixels, expected) << "channel " << channel;
        ASSERT_EQ(previous, expected) << "channel " << channel;
    }
}

// Lengths 0 to 40 from every start within a vector: the vector body and the
// tail together must cover exactly the row, nothing before or after it.
TEST_P(PixelRows, EveryLengthTouchesExactlyItsRow)
{
    std::mt19937 random(5u);
    std::vector<std::int32_t> columns(64);
    for (auto& c : columns)
        c = static_cast<std::int32_t>(random() % 64);
    std::vector<Pixel> source(64);
    for (auto& p : source)
        p = random();
    for (std::int32_t start = 0; start < 8; ++start) {
        for (std::int32_t count = 0; count <= 40; ++count) {
            std::vector<Pixel> target(64), sampled(64, 0x12345678u), previous(64);
            for (auto& p : target)
                p = random();
            for (auto& p : previous)
                p = random();
            std::vector<Pixel> wantTarget = target, wantSampled = sampled, wantPrevious = previous;
            for (std::int32_t i = start; i < start + count; ++i)
                wantSampled[i] = lowered(source[columns[i]], 9);
            gatherRow(sampled.data() + start, source.data(), 64, columns.data() + start, count, 9);
            ASSERT_EQ(sampled, wantSampled) << start << "+" << count;

            for (std::int32_t i = start; i < start + count; ++i)
                wantTarget[i] = tableSum(tables, target[i], sampled[i]);
            addRow(target.data() + start, sampled.data() + start, count);
            ASSERT_EQ(target, wantTarget) << start << "+" << count;

            for (std::int32_t i = start; i < start + count; ++i)
                wantTarget[i] = tableSum(tables, wantTarget[i], source[columns[i]]);
            addGatheredRow(target.data() + start, source.data(), 64, columns.data() + start, count, 0);
            ASSERT_EQ(target, wantTarget) << start << "+" << count;

            for (std::int32_t i = start; i < start + count; ++i) {
                const Pixel both = ((target[i] >> 1) & 0x7F7F7Fu) + ((previous[i] >> 1) & 0x7F7F7Fu);
                wantTarget[i] = both;
                wantPrevious[i] = both;
            }
            blendHalves(target.data() + start, previous.data() + start, static_cast<std::size_t>(count));
            ASSERT_EQ(target, wantTarget) << start << "+" << count;
            ASSERT_EQ(previous, wantPrevious) << start << "+" << count;
        }
    }
}

// Columns as the blits walk them: rising by a fixed 16.16 step, shrinking
// and stretching, from anywhere in rows long and short, up to the row's last
// pixel (the vector paths may read neighbouring pixels only inside the row).
TEST_P(PixelRows, RowsSampledAtRisingColumnsOfEveryStep)
{
    std::mt19937 random(21u);
    for (std::int32_t rowLength : {1, 7, 8, 15, 16, 17, 40, 64, 522}) {
        // The row sits at the very end of its buffer.
        std::vector<Pixel> buffer(static_cast<std::size_t>(rowLength));
        for (auto& p : buffer)
            p = random();
        const Pixel* row = buffer.data();
        for (std::int64_t step : {0x4000, 0x10000, 0x18000, 0x1F000, 0x20000, 0x28000, 0x40000}) {
            for (std::int64_t start : {std::int64_t{0}, std::int64_t{0x8000},
                                       static_cast<std::int64_t>(rowLength / 2) << 16}) {
                std::vector<std::int32_t> columns;
                for (std::int64_t u = start; (u >> 16) < rowLength && columns.size() < 300; u += step)
                    columns.push_back(static_cast<std::int32_t>(u >> 16));
                const std::int32_t count = static_cast<std::int32_t>(columns.size());
                std::vector<Pixel> sampled(columns.size()), target(columns.size());
                for (auto& p : target)
                    p = random();
                std::vector<Pixel> wantSampled(columns.size()), wantTarget(columns.size());
                for (std::int32_t i = 0; i < count; ++i) {
                    wantSampled[i] = lowered(row[columns[i]], 40);
                    wantTarget[i] = tableSum(tables, target[i], wantSampled[i]);
                }
                gatherRow(sampled.data(), row, rowLength, columns.data(), count, 40);
                ASSERT_EQ(sampled, wantSampled) << rowLength << " step " << step;
                addGatheredRow(target.data(), row, rowLength, columns.data(), count, 40);
                ASSERT_EQ(target, wantTarget) << rowLength << " step " << step;
            }
        }
    }
}

// The whole-blit rows where the instruction set has them: several target
// rows, some sharing a source row, sampled at rising columns of every step;
// each row as the tables add it, and nothing beside the rows touched.
TEST_P(PixelRows, SampledRowsAddEveryRowAsTheTablesDo)
{
    const SampledRowsAdd addSampled = blitRows().addSampled;
    if (addSampled == nullptr)
        GTEST_SKIP() << "this instruction set adds row by row";
    std::mt19937 random(23u);
    constexpr std::ptrdiff_t kStride = 600;
    for (std::int32_t rowLength : {1, 15, 16, 17, 64, 522}) {
        std::vector<Pixel> source(static_cast<std::size_t>(rowLength) * 3);
        for (auto& p : source)
            p = random();
        for (std::int64_t step : {0x4000, 0x10000, 0x1F000, 0x20000, 0x28000, 0x40000}) {
            std::vector<std::int32_t> columns;
            for (std::int64_t u = 0x8000; (u >> 16) < rowLength && columns.size() < 512; u += step)
                columns.push_back(static_cast<std::int32_t>(u >> 16));
            const std::int32_t count = static_cast<std::int32_t>(columns.size());
            const Pixel* rows[5] = {&source[0], &source[rowLength], &source[rowLength],
                                    &source[2 * static_cast<std::size_t>(rowLength)], &source[0]};
            // Rows starting anywhere in a 32-byte block, fades of none to all.
            for (std::int32_t offset : {0, 1, 3, 7, 8}) {
                const std::uint32_t fade = offset == 8 ? 255u : static_cast<std::uint32_t>(offset * 30);
                std::vector<Pixel> target(5 * kStride + 8);
                for (auto& p : target)
                    p = random();
                std::vector<Pixel> want = target;
                for (int r = 0; r < 5; ++r)
                    for (std::int32_t i = 0; i < count; ++i) {
                        Pixel& p = want[offset + r * kStride + i];
                        p = tableSum(tables, p, lowered(rows[r][columns[i]], fade));
                    }
                addSampled(target.data() + offset, kStride, rows, 5, rowLength, columns.data(), count,
                           fade);
                ASSERT_EQ(target, want) << rowLength << " step " << step << " offset " << offset;
            }
        }
    }
}

// The glow block: nine amounts added with saturation, every top byte kept,
// the pixel right of each block row and every other pixel left as they were.
TEST_P(PixelRows, GlowBlockAddsNinePixelsAndKeepsTheRest)
{
    std::mt19937 random(8u);
    const std::ptrdiff_t stride = 7;
    for (int round = 0; round < 2000; ++round) {
        std::vector<Pixel> image(7 * 5);
        for (auto& p : image)
            p = random();
        Pixel amounts[9];
        for (auto& a : amounts)
            a = random() & 0x00FFFFFFu;
        if (round % 4 == 0)
            for (auto& a : amounts)
                a = 0x00FFFFFFu; // everything saturates
        std::vector<Pixel> expected = image;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                Pixel& p = expected[(1 + r) * stride + 2 + c];
                p = (p & 0xFF000000u) | tableSum(tables, p, amounts[3 * r + c]);
            }
        brightenBlock3x3(image.data() + stride + 2, stride, amounts);
        ASSERT_EQ(image, expected) << "round " << round;
    }
}

// Eight painted columns placed into the frame: each from its own first row
// (the bottom row when none is painted, rows above the frame not allowed)
// to the end row, the frame untouched elsewhere, over every row position
// within a block of four and ends that leave a few rows over.
TEST_P(PixelRows, PlacedColumnsWriteExactlyTheirPaintedRows)
{
    std::mt19937 random(13u);
    const std::ptrdiff_t frameStride = 11;
    const std::ptrdiff_t columnStride = 45;
    for (int round = 0; round < 3000; ++round) {
        const std::int32_t endRow = static_cast<std::int32_t>(random() % 40);
        std::int32_t from[kPlacedColumns];
        for (auto& f : from)
            f = random() % 5 == 0 ? endRow : static_cast<std::int32_t>(random() % (endRow + 1));
        if (round % 7 == 0)
            for (auto& f : from)
                f = endRow / 2; // every column from the same row
        std::vector<Pixel> frame(static_cast<std::size_t>(frameStride) * 41);
        for (auto& p : frame)
            p = random();
        std::vector<Pixel> columns(static_cast<std::size_t>(columnStride) * kPlacedColumns);
        for (auto& p : columns)
            p = random();
        std::vector<Pixel> expected = frame;
        for (std::int32_t c = 0; c < kPlacedColumns; ++c)
            for (std::int32_t r = from[c]; r < endRow; ++r)
                expected[r * frameStride + 2 + c] = columns[c * columnStride + r];
        placeColumns(frame.data() + 2, frameStride, columns.data(), columnStride, from, endRow);
        ASSERT_EQ(frame, expected) << "round " << round << " end row " << endRow;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPath, PixelRows, ::testing::ValuesIn(availableSimdLevels()),
                         simdLevelTestName);

TEST(SimdLevels, TheBestLevelIsInUseAndEveryAvailableOneCanBeChosen)
{
    const std::vector<SimdLevel> levels = availableSimdLevels();
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.front(), SimdLevel::portable);
    EXPECT_EQ(levels.back(), bestSimdLevel());
    EXPECT_EQ(simdLevel(), bestSimdLevel());
#if defined(__x86_64__)
    // SSE2 is part of every x86-64 processor.
    EXPECT_NE(std::find(levels.begin(), levels.end(), SimdLevel::sse2), levels.end());
#endif
#if defined(__aarch64__)
    // So is NEON of every 64-bit ARM processor, and the x86 sets are absent.
    EXPECT_EQ(levels, (std::vector<SimdLevel>{SimdLevel::portable, SimdLevel::neon}));
#endif
    for (SimdLevel level : levels) {
        const ScopedSimdLevel use(level);
        EXPECT_EQ(simdLevel(), level);
    }
    EXPECT_EQ(simdLevel(), bestSimdLevel());
}

TEST(SimdLevels, ALevelTheProcessorLacksIsRefused)
{
    const std::vector<SimdLevel> levels = availableSimdLevels();
    for (SimdLevel level :
         {SimdLevel::portable, SimdLevel::sse2, SimdLevel::avx2, SimdLevel::neon}) {
        if (std::find(levels.begin(), levels.end(), level) != levels.end())
            continue;
        const SimdLevel before = simdLevel();
        EXPECT_FALSE(setSimdLevel(level)) << simdLevelName(level);
        EXPECT_EQ(simdLevel(), before);
    }
}

} // namespace
