// The terrain walked in passes (ray cells, vectorised projection, hidden
// blocks passed over, near samples below the frame skipped, spans painted
// through a column buffer) against the sample by sample column walk.
#include "support/baseline/baseline.h"
#include "random_inputs.h"
#include "support/screen_size.h"
#include "support/simd_levels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct Maps {
    std::vector<std::uint8_t> heights = std::vector<std::uint8_t>(65536);
    std::vector<std::uint32_t> colours = std::vector<std::uint32_t>(65536);
};

// Smooth hills up to highest, with some rough cells; colours with any top byte.
Maps makeMaps(RandomInputs& random, int highest)
{
    Maps maps;
    const int phase = random.between(0, 255);
    for (int v = 0; v < 256; ++v)
        for (int u = 0; u < 256; ++u) {
            int h = ((u * 3 + phase) % 256 + (v * 5) % 256) / 2;
            if (random.chance(5))
                h = random.between(0, 255);
            maps.heights[v * 256 + u] = static_cast<std::uint8_t>(h * highest / 255);
            maps.colours[v * 256 + u] = random.pixel();
        }
    return maps;
}

struct View {
    std::int32_t width, height, cameraX, cameraY, heading, altitude;
};

class TerrainEquivalence : public ::testing::TestWithParam<SimdLevel> {
protected:
    ScopedSimdLevel level{GetParam()};
    void expectSameRender(const Maps& maps, const View& v)
    {
        RandomInputs background(static_cast<std::uint32_t>(v.width * 7 + v.height));
        std::vector<std::uint32_t> ours(static_cast<std::size_t>(v.width) * v.height);
        for (std::uint32_t& p : ours)
            p = background.pixel();
        std::vector<std::uint32_t> theirs = ours;
        terrain.altitude = v.altitude;
        terrain.render(v.width, v.height, v.cameraX, v.cameraY, v.heading, maps.heights.data(),
                       maps.colours.data(), ours.data());
        baseline::renderTerrain(terrain, v.width, v.height, v.cameraX, v.cameraY, v.heading,
                                maps.heights.data(), maps.colours.data(), theirs.data());
        ASSERT_TRUE(ours == theirs) << v.width << "x" << v.height << " camera " << v.cameraX
                                    << "," << v.cameraY << " heading " << v.heading
                                    << " altitude " << v.altitude;
    }

    VoxelTerrain terrain;
    RandomInputs random{99u};
};

TEST_P(TerrainEquivalence, TheShowsFlightOverRandomMaps)
{
    for (int highest : {255, 241, 120}) {
        const Maps maps = makeMaps(random, highest);
        for (int round = 0; round < 12; ++round) {
            expectSameRender(maps, {kWidth, kHeight, random.between(-9000, 9000), random.between(-9000, 9000),
                                    random.between(0, 2047), random.between(200, 1000)});
        }
    }
}

// Low and high cameras, where many samples show or none; altitudes on both
// sides of the bound below which the projection runs in 32-bit ints; frames
// as tall as the column buffer and taller, widths that leave columns after
// the groups of eight, tiny and empty frames.
TEST_P(TerrainEquivalence, AltitudesAndFrameSizesAtTheEdges)
{
    const Maps maps = makeMaps(random, 255);
    const std::int32_t bound = (1 << 25) - 256;
    const std::int32_t altitudes[] = {INT32_MIN, -bound - 11, -bound - 10, -bound - 9, -100000, -300,
                                      0, 100, 255, 5000, bound - 11, bound - 10, bound - 9,
                                      INT32_MAX - 10, INT32_MAX};
    for (std::int32_t altitude : altitudes) {
        for (const View& v : {View{kWidth, kHeight, -2500, -2500, 500, altitude},
                              View{37, 1100, 1234, -777, 1900, altitude},
                              View{21, 1024, 4321, 99, 300, altitude},
                              View{9, 2, 0, 0, 0, altitude}, View{5, 1, 0, 0, 0, altitude}}) {
            expectSameRender(maps, v);
        }
    }
    expectSameRender(maps, {0, kHeight, 0, 0, 500, 600});
    expectSameRender(maps, {kWidth, 0, 0, 0, 500, 600});
    expectSameRender(maps, {64, 48, INT32_MIN, INT32_MAX, INT32_MIN, 30});
    expectSameRender(maps, {64, 48, INT32_MAX, INT32_MIN, INT32_MAX, -30});
}

// A single column drawn on its own assumes the highest land a map can hold.
TEST_P(TerrainEquivalence, SingleColumnsAtAnyAngle)
{
    const Maps maps = makeMaps(random, 200);
    for (int round = 0; round < 200; ++round) {
        const std::int32_t width = random.between(1, 50);
        const std::int32_t height = random.between(1, 300);
        const std::int32_t column = random.between(0, width - 1);
        const std::int32_t angle = random.between(-5000, 5000);
        const std::int32_t cameraX = random.between(-100000, 100000);
        const std::int32_t cameraY = random.between(-100000, 100000);
        terrain.altitude = random.between(-500, 1500);
        std::vector<std::uint32_t> ours(static_cast<std::size_t>(width) * height, 0x00123456u);
        std::vector<std::uint32_t> theirs = ours;
        terrain.drawColumn(width, height, angle, cameraX, cameraY, column, maps.heights.data(),
                           maps.colours.data(), ours.data());
        // The baseline draws whole frames; a one-column frame draws just this
        // column when the heading puts its angle there.
        std::vector<std::uint32_t> single(static_cast<std::size_t>(height), 0x00123456u);
        baseline::renderTerrain(terrain, 1, height, cameraX, cameraY, angle + 160, maps.heights.data(),
                                maps.colours.data(), single.data());
        for (std::int32_t row = 0; row < height; ++row)
            theirs[static_cast<std::size_t>(row) * width + column] = single[static_cast<std::size_t>(row)];
        ASSERT_TRUE(ours == theirs) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPath, TerrainEquivalence, ::testing::ValuesIn(availableSimdLevels()),
                         simdLevelTestName);

} // namespace
