// The landscape's lane walks against the portable column walk: every
// instruction set with lanes must show the same samples at the same rows
// and paint the same frames.
#include "terrain/terrain_lanes.h"
#include "terrain/voxel_terrain.h"

#include "support/screen_size.h"
#include "support/simd_levels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

std::vector<SimdLevel> levelsWithLanes()
{
    std::vector<SimdLevel> levels;
    for (SimdLevel level : availableSimdLevels())
        if (terrain::laneCount(level) > 0)
            levels.push_back(level);
    return levels;
}

class TerrainLanes : public ::testing::TestWithParam<SimdLevel> {
protected:
    VoxelTerrain terrain;
    std::mt19937 generator{20261209u};

    std::int32_t any(std::int32_t low, std::int32_t high)
    {
        return std::uniform_int_distribution<std::int32_t>(low, high)(generator);
    }

    // Rough land of every height, smooth hills, or flat land at either end
    // of the height range; colours with stray top bytes now and then.
    void makeMaps(int kind, std::vector<std::uint8_t>& heights, std::vector<std::uint32_t>& colours)
    {
        heights.resize(kCells);
        colours.resize(kCells);
        for (int i = 0; i < kCells; ++i) {
            const int u = i & 255, v = i >> 8;
            int h = any(0, 255);
            if (kind == 1)
                h = (std::abs(((u * 3 + v) & 255) - 128) + std::abs(((v * 2 - u) & 255) - 128)) / 2;
            else if (kind == 2)
                h = 255;
            else if (kind == 3)
                h = 0;
            heights[i] = static_cast<std::uint8_t>(h);
            colours[i] = static_cast<std::uint32_t>(any(0, 0x00FFFFFF)) |
                         (kind == 0 ? static_cast<std::uint32_t>(any(0, 255)) << 24 : 0u);
        }
    }

    std::vector<std::uint32_t> renderAt(SimdLevel level, std::int32_t width, std::int32_t height,
                                        std::int32_t cameraX, std::int32_t cameraY,
                                        std::int32_t heading,
                                        const std::vector<std::uint8_t>& heights,
                                        const std::vector<std::uint32_t>& colours)
    {
        const ScopedSimdLevel scoped(level);
        std::vector<std::uint32_t> frame(static_cast<std::size_t>(width) * height);
        for (std::size_t i = 0; i < frame.size(); ++i)
            frame[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFFu;
        terrain.render(width, height, cameraX, cameraY, heading, heights.data(), colours.data(),
                       frame.data());
        return frame;
    }
};

// Frames of every size class (groups of eight columns and the rest, short
// and tall), cameras of the show and far beyond it, altitudes around the
// show's, at the edge of the lanes' range and past it.
TEST_P(TerrainLanes, PaintTheFramesOfThePortableColumnWalk)
{
    const std::int32_t nearEdge = (1 << 25) - 256 - 10;
    std::vector<std::uint8_t> heights;
    std::vector<std::uint32_t> colours;
    for (int n = 0; n < 48; ++n) {
        if (n % 12 == 0)
            makeMaps(n / 12, heights, colours);
        const bool wild = n % 3 == 2;
        const std::int32_t width = n % 4 == 0 ? show::screenWidth : any(1, 70);
        const std::int32_t height = n % 4 == 0 ? show::screenHeight : (n % 8 == 5 ? any(1025, 1100) : any(1, 260));
        const std::int32_t cameraX = wild ? any(INT32_MIN, INT32_MAX) : any(-300000, 300000);
        const std::int32_t cameraY = wild ? any(INT32_MIN, INT32_MAX) : any(-300000, 300000);
        const std::int32_t heading = any(INT32_MIN, INT32_MAX);
        const std::int32_t altitudes[] = {any(-400, 1400), nearEdge - any(0, 300),
                                          -nearEdge - 20 + any(0, 300), any(INT32_MIN, INT32_MAX)};
        terrain.altitude = altitudes[n % 4];
        SCOPED_TRACE(::testing::Message() << n << ": " << width << "x" << height << " camera "
                                          << cameraX << "," << cameraY << " heading " << heading
                                          << " altitude " << terrain.altitude);
        const std::vector<std::uint32_t> expected =
            renderAt(SimdLevel::portable, width, height, cameraX, cameraY, heading, heights, colours);
        ASSERT_EQ(renderAt(GetParam(), width, height, cameraX, cameraY, heading, heights, colours),
                  expected);
    }
}

// One walk checked sample by sample against the column walk's arithmetic,
// written out here in 64-bit integers: the cells, the rows, which lanes
// show, the tops, and the stop once every lane has reached row 0.
TEST_P(TerrainLanes, WalkEveryLaneAsTheColumnWalkDoes)
{
    const std::int32_t lanes = terrain::laneCount(GetParam());
    std::vector<std::uint8_t> heights;
    std::vector<std::uint32_t> colours;
    makeMaps(0, heights, colours);
    for (int n = 0; n < 200; ++n) {
        terrain::LaneWalk walk{};
        for (std::int32_t l = 0; l < lanes; ++l) {
            walk.x[l] = static_cast<std::uint32_t>(any(INT32_MIN, INT32_MAX));
            walk.y[l] = static_cast<std::uint32_t>(any(INT32_MIN, INT32_MAX));
            walk.dx[l] = static_cast<std::uint32_t>(any(-65536, 65536));
            walk.dy[l] = static_cast<std::uint32_t>(any(-65536, 65536));
        }
        const std::int32_t first = any(0, 255);
        std::vector<double> base(256), scale(256);
        for (int s = 0; s < 256; ++s) {
            base[s] = terrain.rowTable[s];
            scale[s] = terrain.reciprocals[s + 1];
        }
        walk.heightmap = heights.data();
        walk.rowBase = base.data() + first;
        walk.distanceScale = scale.data() + first;
        // Low land that rarely reaches the top, or high land that fills
        // every lane within a few samples.
        walk.smallLift = n % 2 == 0 ? any(-2000, 100) : any(2000, 40000);
        walk.count = 256 - first;
        walk.bottomRow = any(1, 400);

        std::vector<std::int32_t> rows(256 * lanes);
        std::vector<std::uint32_t> cells(256 * lanes);
        std::vector<std::uint8_t> shows(256);
        terrain::LaneSamples samples{rows.data(), cells.data(), shows.data(), {}};
        const std::int32_t walked = terrain::walkLanes(GetParam(), walk, samples);

        std::int64_t tops[terrain::kMostLanes];
        std::fill(tops, tops + lanes, walk.bottomRow);
        std::int32_t expectedWalked = walk.count;
        for (std::int32_t i = 0; i < walk.count; ++i) {
            bool anyOpen = false;
            for (std::int32_t l = 0; l < lanes; ++l) {
                SCOPED_TRACE(::testing::Message() << "walk " << n << " sample " << i << " lane " << l);
                const std::int64_t x = static_cast<std::int32_t>(walk.x[l] + (i + 1) * walk.dx[l]);
                const std::int64_t y = static_cast<std::int32_t>(walk.y[l] + (i + 1) * walk.dy[l]);
                const std::int64_t cell = ((y >> 16) * 256 + (x >> 16)) & 0xFFFF;
                const std::int64_t lifted = (heights[static_cast<std::size_t>(cell)] + walk.smallLift) * 32;
                const auto row = static_cast<std::int64_t>(base[first + i] -
                                                           static_cast<double>(lifted) * scale[first + i]);
                ASSERT_EQ(cells[i * lanes + l], static_cast<std::uint32_t>(cell));
                ASSERT_EQ(rows[i * lanes + l], row);
                ASSERT_EQ((shows[i] >> l) & 1, row < tops[l] ? 1 : 0);
                tops[l] = std::min(tops[l], row);
                anyOpen = anyOpen || tops[l] > 0;
            }
            if (!anyOpen) {
                expectedWalked = i + 1;
                break;
            }
        }
        ASSERT_EQ(walked, expectedWalked) << "walk " << n;
        for (std::int32_t l = 0; l < lanes; ++l)
            ASSERT_EQ(samples.tops[l], tops[l]) << "walk " << n << " lane " << l;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLanePath, TerrainLanes, ::testing::ValuesIn(levelsWithLanes()),
                         simdLevelTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(TerrainLanes);

} // namespace
