#include "terrain_map.h"

#include "colour_ramp.h"
#include "deterministic_math.h"
#include "tiling_noise.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr std::uint32_t kSeed = 0x4B454C56u;
constexpr int kN = kTerrainSize;

// Raw height of a point of the tile (u, v in 0..1): sharp ridged mountain
// chains where a broad mask raises them, over rolling foothills, on
// coordinates bent by a slow warp so that ridges and valleys meander. Every
// term repeats over the tile.
double rawHeight(double u, double v)
{
    const double warpU = 0.07 * tilingFractal(u, v, 3, 3, 0.5, kSeed + 1);
    const double warpV = 0.07 * tilingFractal(u, v, 3, 3, 0.5, kSeed + 2);
    const double wu = u + warpU;
    const double wv = v + warpV;
    const double hills = tilingFractal(wu, wv, 4, 5, 0.5, kSeed + 3);
    const double ridges = tilingRidges(wu, wv, 3, 5, 0.5, kSeed + 4);
    const double mask = smoothStep(tilingFractal(wu, wv, 2, 2, 0.5, kSeed + 5) * 1.6 + 0.55);
    return hills * 0.35 + ridges * ridges * (0.4 + 0.9 * mask);
}

std::vector<double> heightField()
{
    std::vector<double> heights(static_cast<std::size_t>(kN) * kN);
    for (int y = 0; y < kN; ++y)
        for (int x = 0; x < kN; ++x)
            heights[static_cast<std::size_t>(y) * kN + x] =
                rawHeight(static_cast<double>(x) / kN, static_cast<double>(y) / kN);
    const auto [lowest, highest] = std::minmax_element(heights.begin(), heights.end());
    const double low = *lowest;
    const double range = *highest - low;
    // Nearly half of each height is its rank among all cells, which spreads
    // the land evenly over the byte range: the camera flies high, and the
    // more of the land rises, the more of it shows. The rest keeps the shape
    // of the raw field, so valley floors stay broad.
    std::vector<std::pair<double, std::size_t>> order(heights.size());
    for (std::size_t i = 0; i < heights.size(); ++i)
        order[i] = {heights[i], i};
    std::sort(order.begin(), order.end());
    const double last = static_cast<double>(heights.size() - 1);
    std::vector<double> spread(heights.size());
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        const std::size_t i = order[rank].second;
        spread[i] = 255.0 * (0.45 * rank / last + 0.55 * (heights[i] - low) / range);
    }
    heights = spread;
    return heights;
}

double heightAt(const std::vector<double>& heights, int x, int y)
{
    return heights[static_cast<std::size_t>(y & (kN - 1)) * kN + (x & (kN - 1))];
}

// The sun stands low on the left of the camera's usual view: its light
// comes across the map from +x and a little from the viewer's side.
struct Sun {
    double x = 0.80;
    double y = -0.35;
    double z = 0.42; // about 25 degrees above the horizon
};

// How the show draws it, one height unit stands about a tenth of a cell
// tall; the light works on that shape.
constexpr double kHeightScale = 0.1;

// Direct light on each cell: Lambert shading of the surface, and nothing
// where a ridge between the cell and the sun casts its shadow.
std::vector<double> sunlight(const std::vector<double>& heights)
{
    const Sun sun;
    const double flat = std::sqrt(sun.x * sun.x + sun.y * sun.y);
    const double rise = sun.z / flat; // height gained per cell towards the sun
    std::vector<double> light(heights.size());
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const double gx = (heightAt(heights, x + 1, y) - heightAt(heights, x - 1, y)) * 0.5 * kHeightScale;
            const double gy = (heightAt(heights, x, y + 1) - heightAt(heights, x, y - 1)) * 0.5 * kHeightScale;
            const double norm = std::sqrt(gx * gx + gy * gy + 1.0);
            double lit = clampValue((-gx * sun.x - gy * sun.y + sun.z) / norm, 0.0, 1.0);
            // March towards the sun in one-cell steps: any cell rising above
            // the ray shades this one.
            const double h0 = heightAt(heights, x, y) * kHeightScale;
            for (int step = 1; step < 96 && lit > 0.0; ++step) {
                const double px = x + sun.x / flat * step;
                const double py = y + sun.y / flat * step;
                const int cx = static_cast<int>(std::floor(px + 0.5));
                const int cy = static_cast<int>(std::floor(py + 0.5));
                const double above = heightAt(heights, cx, cy) * kHeightScale - (h0 + rise * step);
                if (above > 0.0)
                    lit *= 1.0 - clampValue(above * 2.0, 0.0, 1.0);
            }
            light[static_cast<std::size_t>(y) * kN + x] = lit;
        }
    }
    return light;
}

// Land colours by height (red and green; blue is the height itself): dark
// green valley floors, meadows, grey-green slopes, grey rock, then pale ice
// on the highest peaks only. Up high, red and green come close to the blue
// so that rock reads grey rather than blue.
const ColourRamp kLand{{0.00, {26, 62, 0}},
                       {0.18, {44, 92, 0}},
                       {0.34, {74, 106, 0}},
                       {0.48, {98, 110, 0}},
                       {0.62, {114, 116, 0}},
                       {0.78, {128, 132, 0}},
                       {1.00, {146, 152, 0}}};

// Brightness of each light level, from deep shade to full sun, on the
// valley floors and on the peaks. Shade keeps the height's blue, so shadows
// turn blue as they do under an open sky; up high, where the blue is
// strong, the shade is lighter so that it stays grey-blue.
constexpr double kLowLevels[kTerrainLightLevels] = {0.42, 0.68, 0.92, 1.12};
constexpr double kHighLevels[kTerrainLightLevels] = {0.6, 0.78, 0.93, 1.08};

PcxPalette landPalette()
{
    PcxPalette palette;
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        const Rgb base = colourAt(kLand, t);
        const int level = i % kTerrainLightLevels;
        const double brightness = mixValues(kLowLevels[level], kHighLevels[level], t);
        setPaletteEntry(palette, i, Rgb{base.red * brightness, base.green * brightness, static_cast<double>(i)});
    }
    return palette;
}

// A fixed pseudo-random threshold in 0..1 per cell and channel.
double ditherAt(int x, int y, std::uint32_t seed)
{
    return static_cast<double>(hashPoint(x, y, seed) >> 8) / 16777216.0;
}

} // namespace

IndexedPicture makeTerrainMap()
{
    const std::vector<double> heights = heightField();
    const std::vector<double> light = sunlight(heights);
    IndexedPicture picture(kN, kN);
    picture.palette = landPalette();
    const int top = kTerrainLightLevels - 1;
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * kN + x;
            // Ambient light keeps shaded slopes readable.
            const double shade = 0.15 + 0.85 * light[i] / 0.75;
            const int level = std::min(top, static_cast<int>(std::floor(shade * top + ditherAt(x, y, kSeed + 7))));
            const double band = (heights[i] - level) / kTerrainLightLevels;
            const int bandIndex = static_cast<int>(clampValue(std::floor(band + ditherAt(x, y, kSeed + 8)), 0.0, 63.0));
            picture.indices[i] = static_cast<std::uint8_t>(bandIndex * kTerrainLightLevels + std::max(0, level));
        }
    }
    return picture;
}
