// The voxel terrain as the scene uses it: a 320x200 frame, heading 500, over
// a smooth 256x256 heightmap with a colour map derived from it, at a few
// camera altitudes of the show's range (about 225 to 975); the baseline
// renderer and the show's on the same terrain tables and inputs.
#include "support/baseline/baseline.h"
#include "bench_variant.h"
#include "scene/show_facts.h"
#include "terrain/voxel_terrain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr std::int32_t kWidth = show::screenWidth;
constexpr std::int32_t kHeight = show::screenHeight;

struct Landscape {
    std::vector<std::uint8_t> heights = std::vector<std::uint8_t>(65536);
    std::vector<std::uint32_t> colours = std::vector<std::uint32_t>(65536);
};

// Rolling hills that tile the 256x256 ring, coloured green to brown to snow.
const Landscape& landscape()
{
    static const Landscape land = [] {
        Landscape l;
        const double turn = 6.283185307179586 / 256.0;
        for (int v = 0; v < 256; ++v)
            for (int u = 0; u < 256; ++u) {
                const double h = 110.0 + 50.0 * std::sin(u * turn * 2) * std::cos(v * turn * 3) +
                                 35.0 * std::sin((u + 2 * v) * turn * 5 + 1.0) +
                                 15.0 * std::cos((3 * u - v) * turn * 7);
                const int height = std::clamp(static_cast<int>(h), 0, 255);
                l.heights[v * 256 + u] = static_cast<std::uint8_t>(height);
                const std::uint32_t r = static_cast<std::uint32_t>(std::min(255, 40 + height));
                const std::uint32_t g = static_cast<std::uint32_t>(std::min(255, 80 + height / 2));
                const std::uint32_t b = static_cast<std::uint32_t>(height > 200 ? 230 : 30);
                l.colours[v * 256 + u] = (r << 16) | (g << 8) | b;
            }
        return l;
    }();
    return land;
}

void BM_TerrainRender(benchmark::State& state, Variant variant)
{
    if (!prepareVariant(state, variant))
        return;
    const Landscape& land = landscape();
    VoxelTerrain terrain;
    terrain.altitude = static_cast<std::int32_t>(state.range(0));
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(kWidth) * kHeight, 0u);
    std::int32_t cameraX = -2500;
    for (auto _ : state) {
        if (variant == Variant::baseline)
            baseline::renderTerrain(terrain, kWidth, kHeight, cameraX, -2500, 500, land.heights.data(),
                                    land.colours.data(), frame.data());
        else
            terrain.render(kWidth, kHeight, cameraX, -2500, 500, land.heights.data(),
                           land.colours.data(), frame.data());
        benchmark::ClobberMemory();
        cameraX += 37; // a drifting camera, as in the show
    }
    benchmark::DoNotOptimize(frame[150 * kWidth + kWidth / 2]);
    state.SetItemsProcessed(state.iterations() * kWidth * 256);
}
BENCHMARK_CAPTURE(BM_TerrainRender, baseline, Variant::baseline)->Arg(225)->Arg(600)->Arg(975);
BENCHMARK_CAPTURE(BM_TerrainRender, portable, Variant::portable)->Arg(225)->Arg(600)->Arg(975);
BENCHMARK_CAPTURE(BM_TerrainRender, sse2, Variant::sse2)->Arg(225)->Arg(600)->Arg(975);
BENCHMARK_CAPTURE(BM_TerrainRender, avx2, Variant::avx2)->Arg(225)->Arg(600)->Arg(975);

} // namespace
