#include "terrain/voxel_terrain.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr int kAngleSteps = 2048;
constexpr std::int32_t kAngleMask = 0x7FF;
constexpr int kReciprocalCount = 1000;
constexpr double kAngleUnit = 0.0030679615757712823; // 2*pi/2048 as a double

// Bounds for a projected row before its conversion to int. Any row at or
// above kHighestRow is hidden (top never exceeds height - 1 < kHighestRow)
// and any row at or below kLowestRow leaves top at or below 0, after which
// no span paints, so clamping to these bounds paints exactly what the exact
// row would. kLowestRow keeps top - 1 inside the int range.
constexpr double kHighestRow = 2147483647.0;
constexpr double kLowestRow = -2147483647.0;

} // namespace

VoxelTerrain::VoxelTerrain()
    : depthSteps(256),
      horizonRow(80),
      reciprocals(new float[kReciprocalCount]),
      cosTable(new std::int32_t[kAngleSteps]),
      sinTable(new std::int32_t[kAngleSteps]),
      rowTable(new std::int32_t[static_cast<std::size_t>(depthSteps + 2)]()) // last entry stays 0
{
    for (int d = 1; d < kReciprocalCount; ++d)
        reciprocals[d] = static_cast<float>(1.0 / d);
    reciprocals[0] = 0.0f;

    for (int k = 0; k < kAngleSteps; ++k) {
        const double angle = k * kAngleUnit;
        cosTable[k] = static_cast<std::int32_t>(std::cos(angle) * 65536.0);
        sinTable[k] = static_cast<std::int32_t>(std::sin(angle) * 65536.0);
    }

    // Entry d - 1 for d = 1..depthSteps + 1; entry depthSteps + 1 is unused.
    for (int d = 1; d <= depthSteps + 1; ++d)
        rowTable[d - 1] = horizonRow - static_cast<std::int32_t>(-2048.0 / d);
}

void VoxelTerrain::render(std::int32_t width, std::int32_t height, std::int32_t cameraX,
                          std::int32_t cameraY, std::int32_t heading,
                          const std::uint8_t* heightmap, const std::uint32_t* colourMap,
                          std::uint32_t* destination) const
{
    for (std::int32_t c = 0; c < width; ++c) {
        // (c + heading - 160) & 0x7FF, in unsigned arithmetic so that no
        // heading can overflow; the low 11 bits are the same.
        const std::uint32_t sum = static_cast<std::uint32_t>(c) + static_cast<std::uint32_t>(heading) - 160u;
        const std::int32_t angle = static_cast<std::int32_t>(sum & static_cast<std::uint32_t>(kAngleMask));
        drawColumn(width, height, angle, cameraX, cameraY, c, heightmap, colourMap, destination);
    }
}

void VoxelTerrain::drawColumn(std::int32_t width, std::int32_t height, std::int32_t angle,
                              std::int32_t cameraX, std::int32_t cameraY, std::int32_t column,
                              const std::uint8_t* heightmap, const std::uint32_t* colourMap,
                              std::uint32_t* destination) const
{
    angle &= kAngleMask;
    // 16.16 ray position and step. The position lives in unsigned 32-bit
    // integers so that the shift and the additions wrap in two's complement
    // without undefined behaviour; it is read back as signed for the cell.
    const std::uint32_t dx = static_cast<std::uint32_t>(cosTable[angle]);
    const std::uint32_t dy = static_cast<std::uint32_t>(sinTable[angle]);
    std::uint32_t x = static_cast<std::uint32_t>(cameraX) << 8;
    std::uint32_t y = static_cast<std::uint32_t>(cameraY) << 8;

    // Altitude part of (h - altitude - 10) * 32, in 64 bits: equal to the
    // 32-bit product whenever that does not overflow, and exact in double.
    const std::int64_t lift = -static_cast<std::int64_t>(altitude) - 10;

    const std::int32_t* const rows = rowTable.get();
    const float* const recip = reciprocals.get();

    std::int32_t top = height - 1;
    for (std::int32_t s = 0; s < depthSteps; ++s) {
        const std::int32_t d = s + 1;
        x += dx;
        y += dy;

        // Whole cell coordinates by arithmetic shift, then the row-major ring
        // of 65536 cells; only the low 16 bits matter, so unsigned is exact.
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
            // Channels are masked to their bytes: identical for the colour
            // maps of the system (top byte zero), and a painted pixel keeps
            // a zero top byte whatever the map holds.
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

void VoxelTerrain::fillSpan(std::int32_t width, std::int32_t height, std::int32_t column,
                            std::int32_t top, std::int32_t bottom, std::uint32_t colour,
                            std::uint32_t* destination) const
{
    const std::int32_t first = std::max(top, 0);
    const std::int32_t last = std::min(bottom, height - 1);
    const std::ptrdiff_t stride = width;
    for (std::int32_t row = first; row <= last; ++row)
        destination[static_cast<std::ptrdiff_t>(row) * stride + column] = colour;
}
