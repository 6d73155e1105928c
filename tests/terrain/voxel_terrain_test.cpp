#include "terrain/voxel_terrain.h"

#include "support/screen_size.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

int tri(int t)
{
    return std::abs((t & 127) - 64);
}

// The maps of tests/terrain/reference_model.py (test_maps), integer only.
struct Maps {
    std::vector<std::uint8_t> heights = std::vector<std::uint8_t>(kCells);
    std::vector<std::uint32_t> colours = std::vector<std::uint32_t>(kCells);
};

Maps makeTestMaps()
{
    Maps maps;
    for (int v = 0; v < 256; ++v)
        for (int u = 0; u < 256; ++u) {
            const int h = 2 * tri(3 * u + v) + tri(2 * v - u + 40) + (((31 * u + 17 * v) ^ (u * v)) & 15);
            maps.heights[v * 256 + u] = static_cast<std::uint8_t>(h);
            const std::uint32_t r = static_cast<std::uint32_t>(255 - h);
            const std::uint32_t g = static_cast<std::uint32_t>((u * 5 + v) & 0xFF);
            const std::uint32_t b = ((u ^ v) & 8) != 0 ? 255u : static_cast<std::uint32_t>(h);
            maps.colours[v * 256 + u] = (r << 16) | (g << 8) | b;
        }
    return maps;
}

Maps makeFlatMaps(std::uint8_t height, std::uint32_t colour)
{
    Maps maps;
    std::fill(maps.heights.begin(), maps.heights.end(), height);
    std::fill(maps.colours.begin(), maps.colours.end(), colour);
    return maps;
}

// What the destination holds before a render: distinct, recognisable values.
std::vector<std::uint32_t> makeBackground(std::int32_t width, std::int32_t height)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (static_cast<std::uint32_t>(i) * 2654435761u) & 0x00FFFFFFu;
    return pixels;
}

// A second, independent renderer for the tests: 64-bit positions wrapped by
// hand, floor division for the cells, the exact row in 64 bits with no
// clamping, and a plain loop for the spans.
std::int64_t wrap32(std::int64_t v)
{
    v &= 0xFFFFFFFFll;
    return v >= 0x80000000ll ? v - 0x100000000ll : v;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

void referenceRender(const VoxelTerrain& t, std::int32_t width, std::int32_t height, std::int32_t cameraX,
                     std::int32_t cameraY, std::int32_t heading, const Maps& maps, std::uint32_t* dest)
{
    for (std::int64_t c = 0; c < width; ++c) {
        const std::int64_t angle = ((c + heading - 160) % 2048 + 2048) % 2048;
        const std::int64_t dx = static_cast<std::int64_t>(std::cos(angle * 0.0030679615757712823) * 65536.0);
        const std::int64_t dy = static_cast<std::int64_t>(std::sin(angle * 0.0030679615757712823) * 65536.0);
        std::int64_t x = wrap32(static_cast<std::int64_t>(cameraX) * 256);
        std::int64_t y = wrap32(static_cast<std::int64_t>(cameraY) * 256);
        std::int64_t top = height - 1;
        for (std::int64_t d = 1; d <= 256; ++d) {
            x = wrap32(x + dx);
            y = wrap32(y + dy);
            const std::int64_t cell = floorDiv(y, 65536) * 256 + floorDiv(x, 65536);
            const std::int64_t index = ((cell % kCells) + kCells) % kCells;
            const std::int64_t h = maps.heights[index];
            const double base = static_cast<double>(80 + 2048 / d);
            const double recip = static_cast<double>(static_cast<float>(1.0 / static_cast<double>(d)));
            const double exact = base - static_cast<double>((h - t.altitude - 10) * 32) * recip;
            const std::int64_t row = static_cast<std::int64_t>(std::trunc(exact)); // |exact| < 2^40
            const std::int64_t fog = std::max<std::int64_t>(0, static_cast<std::int64_t>(1.5 * d - 150.0));
            if (row <= top) {
                const std::uint32_t p = maps.colours[index];
                const std::int64_t r = std::max<std::int64_t>(0, ((p >> 16) & 0xFF) - fog);
                const std::int64_t g = std::max<std::int64_t>(0, ((p >> 8) & 0xFF) - fog);
                const std::int64_t b = std::max<std::int64_t>(0, (p & 0xFF) - fog);
                const std::uint32_t colour = static_cast<std::uint32_t>((r << 16) | (g << 8) | b);
                for (std::int64_t yy = std::max<std::int64_t>(row, 0); yy <= std::min<std::int64_t>(top - 1, height - 1);
                     ++yy)
                    dest[yy * width + c] = colour;
                top = row;
            }
        }
    }
}

class VoxelTerrainTest : public ::testing::Test {
protected:
    VoxelTerrain terrain;

    std::vector<std::uint32_t> render(const Maps& maps, std::int32_t width, std::int32_t height,
                                      std::int32_t cameraX, std::int32_t cameraY, std::int32_t heading,
                                      std::int32_t altitude)
    {
        std::vector<std::uint32_t> frame = makeBackground(width, height);
        terrain.altitude = altitude;
        terrain.render(width, height, cameraX, cameraY, heading, maps.heights.data(), maps.colours.data(),
                       frame.data());
        return frame;
    }
};

std::uint32_t grey(int level)
{
    const std::uint32_t c = static_cast<std::uint32_t>(std::max(level, 0));
    return (c << 16) | (c << 8) | c;
}

} // namespace

TEST_F(VoxelTerrainTest, ConstructionSetsTheConstantsAndSampleTableValues)
{
    EXPECT_EQ(terrain.depthSteps, 256);
    EXPECT_EQ(terrain.horizonRow, 80);
    EXPECT_EQ(terrain.cosTable[0], 65536);
    EXPECT_EQ(terrain.sinTable[0], 0);
    EXPECT_EQ(terrain.cosTable[256], 46340);
    EXPECT_EQ(terrain.sinTable[256], 46340);
    EXPECT_EQ(terrain.sinTable[512], 65536);
    EXPECT_EQ(terrain.cosTable[512], 0);
    EXPECT_EQ(terrain.cosTable[1024], -65536);
    EXPECT_EQ(terrain.sinTable[1536], -65536);
    EXPECT_EQ(terrain.rowTable[0], 2128);
    EXPECT_EQ(terrain.rowTable[1], 1104);
    EXPECT_EQ(terrain.rowTable[2], 762);
    EXPECT_EQ(terrain.rowTable[99], 100);
    EXPECT_EQ(terrain.rowTable[255], 88);
    EXPECT_EQ(terrain.rowTable[256], 87);
    EXPECT_EQ(terrain.reciprocals[0], 0.0f);
    EXPECT_EQ(terrain.reciprocals[1], 1.0f);
    EXPECT_EQ(terrain.reciprocals[256], 0.00390625f);
}

TEST_F(VoxelTerrainTest, TablesFollowTheirFormulas)
{
    for (int d = 1; d < 1000; ++d)
        ASSERT_EQ(terrain.reciprocals[d], static_cast<float>(1.0 / d)) << d;
    for (int d = 1; d <= 257; ++d)
        ASSERT_EQ(terrain.rowTable[d - 1], 80 + 2048 / d) << d;
    for (int k = 0; k < 2048; ++k) {
        const double angle = k * 0.0030679615757712823;
        ASSERT_EQ(terrain.cosTable[k], static_cast<std::int32_t>(std::trunc(std::cos(angle) * 65536.0))) << k;
        ASSERT_EQ(terrain.sinTable[k], static_cast<std::int32_t>(std::trunc(std::sin(angle) * 65536.0))) << k;
        // Every step is one cell long, within the truncation.
        const double length = std::hypot(terrain.cosTable[k], terrain.sinTable[k]);
        ASSERT_NEAR(length, 65536.0, 1.5) << k;
    }
    // Quarter-turn symmetry of the truncated values.
    for (int k = 0; k < 512; ++k) {
        ASSERT_EQ(terrain.cosTable[k], terrain.sinTable[k + 512]) << k;
        ASSERT_EQ(terrain.cosTable[k + 1024], -terrain.cosTable[k]) << k;
    }
}

TEST_F(VoxelTerrainTest, FillSpanClampsToTheFrameAndWritesOneColumn)
{
    const std::int32_t w = 7, h = 9;
    struct Case {
        std::int32_t top, bottom, first, last; // expected rows written, first > last for none
    };
    const Case cases[] = {
        {2, 5, 2, 5},   {-3, 4, 0, 4},           {6, 20, 6, 8},         {-10, 100, 0, 8},
        {4, 4, 4, 4},   {5, 4, 1, 0},            {3, -1, 1, 0},         {9, 12, 1, 0},
        {-5, -1, 1, 0}, {INT32_MIN, INT32_MAX, 0, 8}, {INT32_MAX, INT32_MIN, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.top << ".." << c.bottom);
        std::vector<std::uint32_t> frame = makeBackground(w, h);
        const std::vector<std::uint32_t> before = frame;
        terrain.fillSpan(w, h, 3, c.top, c.bottom, 0x00ABCDEFu, frame.data());
        for (std::int32_t row = 0; row < h; ++row)
            for (std::int32_t col = 0; col < w; ++col) {
                const bool written = col == 3 && row >= c.first && row <= c.last;
                ASSERT_EQ(frame[row * w + col], written ? 0x00ABCDEFu : before[row * w + col])
                    << col << "," << row;
            }
    }
}

TEST_F(VoxelTerrainTest, RenderWalksColumnsAtHeadingMinus160)
{
    const Maps maps = makeTestMaps();
    // Heading 500 on a 320-pixel frame: angles 340 to 659.
    const std::vector<std::uint32_t> rendered = render(maps, kWidth, kHeight, -2500, -2500, 500, 600);
    std::vector<std::uint32_t> byColumn = makeBackground(kWidth, kHeight);
    for (std::int32_t c = 0; c < kWidth; ++c)
        terrain.drawColumn(kWidth, kHeight, 340 + c, -2500, -2500, c, maps.heights.data(), maps.colours.data(),
                           byColumn.data());
    EXPECT_EQ(rendered, byColumn);

    // The offset is 160 whatever the width; angles wrap at 2048.
    const std::vector<std::uint32_t> narrow = render(maps, 50, 40, 9000, 300, 100, 120);
    std::vector<std::uint32_t> narrowByColumn = makeBackground(50, 40);
    for (std::int32_t c = 0; c < 50; ++c)
        terrain.drawColumn(50, 40, (c + 100 - 160 + 2048) % 2048, 9000, 300, c, maps.heights.data(),
                           maps.colours.data(), narrowByColumn.data());
    EXPECT_EQ(narrow, narrowByColumn);
}

// Heading 0, column 160: the ray steps exactly one cell in +X per sample, so
// from camera (0, 0) sample d reads cell (d, 0), and sample 256 reads column
// 256 of row 0, which wraps to column 0 of row 1 (index 256). One tall cell
// there, white, on flat black land: it is the only thing seen above the
// flat land, painted with the fog of distance 256.
TEST_F(VoxelTerrainTest, MapWrapsAsOneRingAndDistance256IsFogged)
{
    Maps maps = makeFlatMaps(0, 0);
    maps.heights[256] = 255;
    maps.colours[256] = 0x00FFFFFFu;
    terrain.altitude = 0;
    std::vector<std::uint32_t> frame = makeBackground(kWidth, kHeight);
    const std::vector<std::uint32_t> before = frame;
    terrain.drawColumn(kWidth, kHeight, 0, 0, 0, 160, maps.heights.data(), maps.colours.data(), frame.data());
    // Flat land at altitude 0: row(d) = trunc(rowTable[d-1] + 320 * (1/d)); the
    // last flat sample (d = 255) reaches row 89. The tall cell projects to
    // trunc(88 - 245 * 32 / 256) = 57 and paints rows 57..88.
    for (std::int32_t row = 0; row < kHeight; ++row) {
        const std::uint32_t pixel = frame[row * kWidth + 160];
        if (row < 57 || row == kHeight - 1) {
            EXPECT_EQ(pixel, before[row * kWidth + 160]) << row;
        } else if (row <= 88) {
            EXPECT_EQ(pixel, grey(21)) << row; // 255 - 234
        } else {
            EXPECT_EQ(pixel, 0u) << row;
        }
    }
    // Only column 160 was touched.
    for (std::int32_t i = 0; i < kWidth * kHeight; ++i) {
        if (i % kWidth != 160) {
            ASSERT_EQ(frame[i], before[i]);
        }
    }
}

TEST_F(VoxelTerrainTest, FogStartsAfterDistance100)
{
    struct Case {
        int distance, fog;
    };
    const Case cases[] = {{1, 0}, {50, 0}, {100, 0}, {101, 1}, {102, 3}, {150, 75}, {200, 150}, {255, 232}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.distance);
        Maps maps = makeFlatMaps(0, 0x00FFFFFFu);
        // Along row 0 from camera (0, 0) at heading 0: sample d reads cell d.
        maps.heights[c.distance] = 255;
        terrain.altitude = 0;
        std::vector<std::uint32_t> frame = makeBackground(kWidth, kHeight);
        const std::vector<std::uint32_t> before = frame;
        terrain.drawColumn(kWidth, kHeight, 0, 0, 0, 160, maps.heights.data(), maps.colours.data(), frame.data());
        const double exact = terrain.rowTable[c.distance - 1] -
                             static_cast<double>(245 * 32) * static_cast<double>(terrain.reciprocals[c.distance]);
        // A row above the frame clamps to row 0.
        const std::int32_t row = std::max(static_cast<std::int32_t>(exact), 0);
        EXPECT_EQ(frame[row * kWidth + 160], grey(255 - c.fog));
        EXPECT_EQ(frame[(kHeight - 2) * kWidth + 160], 0x00FFFFFFu); // the nearest flat land, unfogged
        if (row > 0) {
            EXPECT_EQ(frame[(row - 1) * kWidth + 160], before[(row - 1) * kWidth + 160]);
        }
    }
}

// Camera (-11, -10) cells exactly, heading 0: the first sample lies on cell
// column -10, row -10, which is index 62966 (-2570 & 0xFFFF). Made tall, it
// projects far above the frame and fills the whole column down to row 198
// unfogged; every later sample is hidden behind it.
TEST_F(VoxelTerrainTest, NegativeCellsWrapAndANegativeRowFillsTheColumn)
{
    Maps maps = makeFlatMaps(0, 0x00102030u);
    maps.heights[62966] = 255;
    maps.colours[62966] = 0x00C0FFEEu;
    terrain.altitude = 0;
    std::vector<std::uint32_t> frame = makeBackground(kWidth, kHeight);
    const std::vector<std::uint32_t> before = frame;
    terrain.drawColumn(kWidth, kHeight, 0, -11 * 256, -10 * 256, 160, maps.heights.data(), maps.colours.data(),
                       frame.data());
    for (std::int32_t row = 0; row < kHeight - 1; ++row)
        EXPECT_EQ(frame[row * kWidth + 160], 0x00C0FFEEu) << row;
    EXPECT_EQ(frame[(kHeight - 1) * kWidth + 160], before[(kHeight - 1) * kWidth + 160]);

    // The show's start position: (-2500, -2500) is cell -9.77, so the first
    // sample at heading 0 reads column -9 (floor of -8.77), row -10: 62967.
    maps.heights[62966] = 0;
    maps.heights[62967] = 255;
    maps.colours[62967] = 0x00123456u;
    frame = makeBackground(kWidth, kHeight);
    terrain.drawColumn(kWidth, kHeight, 0, -2500, -2500, 160, maps.heights.data(), maps.colours.data(), frame.data());
    for (std::int32_t row = 0; row < kHeight - 1; ++row)
        EXPECT_EQ(frame[row * kWidth + 160], 0x00123456u) << row;
}

// Flat black land at altitude 0 under a flat white colour map: every column
// paints exactly rows 89..198 (the highest span comes from the far samples,
// row trunc(88 + 1.25) = 89), rows 0..88 and the bottom row keep the
// background, and each painted row has the grey of the nearest sample that
// reaches it.
TEST_F(VoxelTerrainTest, FlatLandPaintsBetweenTheHorizonAndTheBottomRow)
{
    const Maps maps = makeFlatMaps(0, 0x00FFFFFFu);
    const std::vector<std::uint32_t> before = makeBackground(kWidth, kHeight);
    const std::vector<std::uint32_t> frame = render(maps, kWidth, kHeight, 12345, -6789, 500, 0);

    // Expected colour per row, from the rows of the samples.
    std::vector<std::uint32_t> rowColour(kHeight, 0xFFFFFFFFu);
    std::int32_t top = kHeight - 1;
    for (int d = 1; d <= 256; ++d) {
        const std::int32_t row = static_cast<std::int32_t>(
            terrain.rowTable[d - 1] + 320.0 * static_cast<double>(terrain.reciprocals[d]));
        if (row <= top) {
            for (std::int32_t r = std::max(row, 0); r <= top - 1; ++r)
                rowColour[r] = grey(255 - std::max(0, static_cast<int>(1.5 * d - 150.0)));
            top = row;
        }
    }
    EXPECT_EQ(top, 89);
    for (std::int32_t row = 0; row < kHeight; ++row)
        for (std::int32_t col = 0; col < kWidth; ++col) {
            const std::size_t i = static_cast<std::size_t>(row) * kWidth + col;
            if (row <= 88 || row == kHeight - 1) {
                ASSERT_EQ(frame[i], before[i]) << col << "," << row;
            } else {
                ASSERT_EQ(frame[i], rowColour[row]) << col << "," << row;
            }
        }
}

TEST_F(VoxelTerrainTest, BottomRowIsNeverPaintedAndPaintedPixelsHaveNoTopByte)
{
    const Maps maps = makeTestMaps();
    const std::int32_t altitudes[] = {-500, -50, 0, 100, 225, 600, 975};
    for (std::int32_t altitude : altitudes) {
        SCOPED_TRACE(altitude);
        const std::vector<std::uint32_t> before = makeBackground(kWidth, kHeight);
        const std::vector<std::uint32_t> frame = render(maps, kWidth, kHeight, -2500, -2500, 500, altitude);
        for (std::int32_t col = 0; col < kWidth; ++col)
            ASSERT_EQ(frame[(kHeight - 1) * kWidth + col], before[(kHeight - 1) * kWidth + col]) << col;
        for (std::size_t i = 0; i < frame.size(); ++i)
            ASSERT_EQ(frame[i] & 0xFF000000u, 0u);
    }
}

TEST_F(VoxelTerrainTest, ExtremeAltitudesPaintAllOrNothing)
{
    const Maps maps = makeTestMaps();
    // Far above everything: every sample lies below the frame.
    EXPECT_EQ(render(maps, kWidth, kHeight, 1000, 2000, 500, INT32_MAX), makeBackground(kWidth, kHeight));
    EXPECT_EQ(render(maps, kWidth, kHeight, 1000, 2000, 500, 1000000), makeBackground(kWidth, kHeight));

    // Far below: the first sample of every column fills it down to row 198,
    // unfogged, and hides every other sample.
    for (std::int32_t altitude : {INT32_MIN, -1000000}) {
        SCOPED_TRACE(altitude);
        const std::vector<std::uint32_t> frame = render(maps, kWidth, kHeight, 1000, 2000, 500, altitude);
        const std::vector<std::uint32_t> before = makeBackground(kWidth, kHeight);
        for (std::int32_t c = 0; c < kWidth; ++c) {
            const std::int32_t angle = (c + 500 - 160) & 0x7FF;
            const std::int32_t x = 1000 * 256 + terrain.cosTable[angle];
            const std::int32_t y = 2000 * 256 + terrain.sinTable[angle];
            const std::uint32_t index = static_cast<std::uint32_t>(((y >> 16) << 8) + (x >> 16)) & 0xFFFFu;
            for (std::int32_t row = 0; row < kHeight - 1; ++row)
                ASSERT_EQ(frame[row * kWidth + c], maps.colours[index]) << c << "," << row;
            ASSERT_EQ(frame[(kHeight - 1) * kWidth + c], before[(kHeight - 1) * kWidth + c]);
        }
    }
}

TEST_F(VoxelTerrainTest, TinyFramesPaintNothingOutsideThemselves)
{
    const Maps maps = makeTestMaps();
    // Height 1: the only row is the bottom row, never painted.
    EXPECT_EQ(render(maps, 5, 1, 0, 0, 500, -1000), makeBackground(5, 1));
    // Width 0 draws nothing at all.
    std::uint32_t sentinel = 0x00ABCDEFu;
    terrain.altitude = -1000;
    terrain.render(0, kHeight, 0, 0, 500, maps.heights.data(), maps.colours.data(), &sentinel);
    EXPECT_EQ(sentinel, 0x00ABCDEFu);
}

// Golden frames from the independent model tests/terrain/reference_model.py,
// over the test maps and a recognisable background.
TEST_F(VoxelTerrainTest, GoldenFramesMatchTheReferenceModel)
{
    const Maps maps = makeTestMaps();
    std::uint64_t heightSum = 0;
    for (std::uint8_t h : maps.heights)
        heightSum += h;
    ASSERT_EQ(heightSum, 6766592u);
    ASSERT_EQ(hashPixels(maps.colours.data(), maps.colours.size()), 0xD4BC5A44BC2FE265ull);

    struct Golden {
        std::int32_t width, height, cameraX, cameraY, heading, altitude;
        std::uint64_t hash;
    };
    const Golden goldens[] = {
        {kWidth, kHeight, -2500, -2500, 500, 600, 0x681A901C6CB38A9Dull},
        {kWidth, kHeight, 120000, -60000, 500, 225, 0x7F7295F993C8101Aull},
        {kWidth, kHeight, 250000, -250000, 500, 975, 0x22B8D764A0BABE17ull},
        {kWidth, kHeight, 0, 0, 0, 100, 0x2CF2189433C28C3Aull},
        {kWidth, kHeight, -2500, -2500, 500, -50, 0x290F0092ABBF29B9ull},
        {100, 60, 777, -999, 1900, 150, 0x4B1D71AF4F2C641Full},
        {kWidth, kHeight, 2147483647, -2147483647 - 1, 2147483647, 300, 0x599A29F66D6E2B74ull},
        {kWidth, kHeight, 1000, 2000, 500, 2147483647, 0xF25A15EE0BAE52F1ull},
        {kWidth, kHeight, 1000, 2000, 500, -2147483647 - 1, 0xB92C31ECD59605D9ull},
        {kWidth, kHeight, 1000, 2000, -2147483647 - 1, -2147483000, 0xACE4550727DC53E1ull},
        {3, 2, 5000, 5000, 800, 0, 0x6DB7FB686BE7F0D0ull},
    };
    for (const Golden& g : goldens) {
        SCOPED_TRACE(::testing::Message() << g.width << "x" << g.height << " camera " << g.cameraX << ","
                                          << g.cameraY << " heading " << g.heading << " altitude "
                                          << g.altitude);
        const std::vector<std::uint32_t> frame =
            render(maps, g.width, g.height, g.cameraX, g.cameraY, g.heading, g.altitude);
        EXPECT_EQ(hashPixels(frame.data(), frame.size()), g.hash);
    }
}

// The renderer against the test's own independent renderer, over many
// cameras, headings and altitudes, including ones far outside the show's.
TEST_F(VoxelTerrainTest, MatchesTheIndependentRendererEverywhere)
{
    const Maps maps = makeTestMaps();
    std::mt19937 generator(20240611u);
    std::uniform_int_distribution<std::int32_t> anyInt(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> showPosition(-300000, 300000);
    std::uniform_int_distribution<std::int32_t> showAltitude(-400, 1400);
    std::uniform_int_distribution<std::int32_t> size(1, 90);
    for (int n = 0; n < 60; ++n) {
        const bool wild = n % 4 == 3;
        const std::int32_t width = n < 20 ? kWidth : size(generator);
        const std::int32_t height = n < 20 ? kHeight : size(generator);
        const std::int32_t cameraX = wild ? anyInt(generator) : showPosition(generator);
        const std::int32_t cameraY = wild ? anyInt(generator) : showPosition(generator);
        const std::int32_t heading = wild ? anyInt(generator) : (n % 2 == 0 ? 500 : anyInt(generator) & 0x7FF);
        const std::int32_t altitude = wild ? anyInt(generator) : showAltitude(generator);
        SCOPED_TRACE(::testing::Message() << n << ": " << width << "x" << height << " camera " << cameraX << ","
                                          << cameraY << " heading " << heading << " altitude " << altitude);
        const std::vector<std::uint32_t> frame = render(maps, width, height, cameraX, cameraY, heading, altitude);
        std::vector<std::uint32_t> expected = makeBackground(width, height);
        referenceRender(terrain, width, height, cameraX, cameraY, heading, maps, expected.data());
        ASSERT_EQ(frame, expected);
    }
}
