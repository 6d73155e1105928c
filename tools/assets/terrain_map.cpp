#include "terrain_map.h"

#include "colour_ramp.h"
#include "deterministic_math.h"
#include "tiling_noise.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr std::uint32_t kSeed = 0x4B454C56u;

// Raw height of a point of the tile (u, v in 0..1): rolling hills plus
// ridged mountains where a broad mask allows them, on coordinates bent by a
// slow warp so that valleys meander. Every term repeats over the tile.
double rawHeight(double u, double v)
{
    const double warpU = 0.06 * tilingFractal(u, v, 3, 3, 0.5, kSeed + 1);
    const double warpV = 0.06 * tilingFractal(u, v, 3, 3, 0.5, kSeed + 2);
    const double wu = u + warpU;
    const double wv = v + warpV;
    const double hills = tilingFractal(wu, wv, 4, 6, 0.5, kSeed + 3);
    const double ridges = tilingRidges(wu, wv, 4, 5, 0.5, kSeed + 4);
    const double mask = smoothStep(tilingFractal(wu, wv, 2, 2, 0.5, kSeed + 5) * 1.8 + 0.5);
    return hills * 0.7 + ridges * (0.25 + 0.75 * mask);
}

// Land colours by height; blue is set from the index itself.
const ColourRamp kLand{{0.00, {40, 50, 0}},
                       {0.12, {45, 90, 0}},
                       {0.30, {80, 150, 0}},
                       {0.48, {130, 170, 0}},
                       {0.58, {185, 165, 0}},
                       {0.72, {210, 196, 0}},
                       {0.82, {225, 222, 0}},
                       {1.00, {255, 255, 0}}};

PcxPalette landPalette()
{
    PcxPalette palette;
    for (int i = 0; i < 256; ++i) {
        Rgb colour = colourAt(kLand, i / 255.0);
        colour.blue = i;
        setPaletteEntry(palette, i, colour);
    }
    return palette;
}

} // namespace

IndexedPicture makeTerrainMap()
{
    const int n = kTerrainSize;
    std::vector<double> heights(static_cast<std::size_t>(n) * n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            heights[static_cast<std::size_t>(y) * n + x] = rawHeight(static_cast<double>(x) / n, static_cast<double>(y) / n);

    const auto [lowest, highest] = std::minmax_element(heights.begin(), heights.end());
    const double low = *lowest;
    const double range = *highest - low;
    IndexedPicture picture(n, n);
    picture.palette = landPalette();
    for (std::size_t i = 0; i < heights.size(); ++i) {
        // Spread over the whole byte range: the camera flies high, so the
        // more of the land that rises, the more of it shows.
        picture.indices[i] = channelByte((heights[i] - low) / range * 255.0);
    }
    return picture;
}
