// The terrain column walk with the projection, the fog and the colour worked
// out inside the sample loop, and a span fill per visible sample.
#include "support/baseline/baseline.h"

#include <algorithm>

namespace baseline {
namespace {

constexpr std::int32_t kAngleMask = 0x7FF;
constexpr double kHighestRow = 2147483647.0;
constexpr double kLowestRow = -2147483647.0;

void fillSpan(std::int32_t width, std::int32_t height, std::int32_t column, std::int32_t top,
              std::int32_t bottom, std::uint32_t colour, std::uint32_t* destination)
{
    const std::int32_t first = std::max(top, 0);
    const std::int32_t last = std::min(bottom, height - 1);
    const std::ptrdiff_t stride = width;
    for (std::int32_t row = first; row <= last; ++row)
        destination[static_cast<std::ptrdiff_t>(row) * stride + column] = colour;
}

void drawColumn(const VoxelTerrain& terrain, std::int32_t width, std::int32_t height,
                std::int32_t angle, std::int32_t cameraX, std::int32_t cameraY,
                std::int32_t column, const std::uint8_t* heightmap,
                const std::uint32_t* colourMap, std::uint32_t* destination)
{
    angle &= kAngleMask;
    const std::uint32_t dx = static_cast<std::uint32_t>(terrain.cosTable[angle]);
    const std::uint32_t dy = static_cast<std::uint32_t>(terrain.sinTable[angle]);
    std::uint32_t x = static_cast<std::uint32_t>(cameraX) << 8;
    std::uint32_t y = static_cast<std::uint32_t>(cameraY) << 8;
    const std::int64_t lift = -static_cast<std::int64_t>(terrain.altitude) - 10;

    const std::int32_t* const rows = terrain.rowTable.get();
    const float* const recip = terrain.reciprocals.get();

    std::int32_t top = height - 1;
    for (std::int32_t s = 0; s < terrain.depthSteps; ++s) {
        const std::int32_t d = s + 1;
        x += dx;
        y += dy;

        const std::uint32_t cellX = static_cast<std::uint32_t>(static_cast<std::int32_t>(x) >> 16);
        const std::uint32_t cellY = static_cast<std::uint32_t>(static_cast<std::int32_t>(y) >> 16);
        const std::uint32_t index = ((cellY << 8) + cellX) & 0xFFFFu;

        const std::int64_t h = heightmap[index];
        const double lifted = static_cast<double>((h + lift) * 32);
        double exactRow = static_cast<double>(rows[s]) - lifted * static_cast<double>(recip[d]);
        exactRow = std::min(std::max(exactRow, kLowestRow), kHighestRow);
        const std::int32_t row = static_cast<std::int32_t>(exactRow);

        std::int32_t fog = static_cast<std::int32_t>(1.5 * d - 150.0);
        fog = std::max(fog, 0);

        if (row <= top) {
            const std::uint32_t p = colourMap[index];
            const std::int32_t r = std::max(static_cast<std::int32_t>((p >> 16) & 0xFFu) - fog, 0);
            const std::int32_t g = std::max(static_cast<std::int32_t>((p >> 8) & 0xFFu) - fog, 0);
            const std::int32_t b = std::max(static_cast<std::int32_t>(p & 0xFFu) - fog, 0);
            const std::uint32_t colour = (static_cast<std::uint32_t>(r) << 16) |
                                         (static_cast<std::uint32_t>(g) << 8) |
                                         static_cast<std::uint32_t>(b);
            fillSpan(width, height, column, row, top - 1, colour, destination);
            top = row;
        }
    }
}

} // namespace

void renderTerrain(const VoxelTerrain& terrain, std::int32_t width, std::int32_t height,
                   std::int32_t cameraX, std::int32_t cameraY, std::int32_t heading,
                   const std::uint8_t* heightmap, const std::uint32_t* colourMap,
                   std::uint32_t* destination)
{
    for (std::int32_t c = 0; c < width; ++c) {
        const std::uint32_t sum =
            static_cast<std::uint32_t>(c) + static_cast<std::uint32_t>(heading) - 160u;
        const std::int32_t angle = static_cast<std::int32_t>(sum & static_cast<std::uint32_t>(kAngleMask));
        drawColumn(terrain, width, height, angle, cameraX, cameraY, c, heightmap, colourMap,
                   destination);
    }
}

} // namespace baseline
