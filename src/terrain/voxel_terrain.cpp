#include "terrain/voxel_terrain.h"

#include "terrain/terrain_layout.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

using terrain::kAngleMask;
using terrain::kDepthSteps;

namespace {

constexpr int kAngleSteps = 2048;
constexpr int kReciprocalCount = 1000;
constexpr double kAngleUnit = 0.0030679615757712823; // 2*pi/2048 as a double

// The greatest height in the map; a straight loop that vectorises.
std::int32_t highestLand(const std::uint8_t* heightmap)
{
    std::uint8_t highest = 0;
    for (std::int32_t i = 0; i < 65536; ++i)
        highest = std::max(highest, heightmap[i]);
    return highest;
}

} // namespace

VoxelTerrain::VoxelTerrain()
    : depthSteps(kDepthSteps),
      horizonRow(80),
      reciprocals(new float[kReciprocalCount]),
      cosTable(new std::int32_t[kAngleSteps]),
      sinTable(new std::int32_t[kAngleSteps]),
      rowTable(new std::int32_t[static_cast<std::size_t>(depthSteps + 2)]()), // last entry stays 0
      rowBase(new double[kDepthSteps]),
      distanceScale(new double[kDepthSteps]),
      fog(new std::uint32_t[kDepthSteps])
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

    // Sample s lies at distance d = s + 1. Distances up to 100 are unfogged;
    // at most 234 is taken away (d = 256), so the fog fits a channel.
    for (std::int32_t s = 0; s < kDepthSteps; ++s) {
        const std::int32_t d = s + 1;
        rowBase[s] = static_cast<double>(rowTable[s]);
        distanceScale[s] = static_cast<double>(reciprocals[d]);
        fog[s] = static_cast<std::uint32_t>(std::max(static_cast<std::int32_t>(1.5 * d - 150.0), 0));
    }
}

void VoxelTerrain::render(std::int32_t width, std::int32_t height, std::int32_t cameraX,
                          std::int32_t cameraY, std::int32_t heading,
                          const std::uint8_t* heightmap, const std::uint32_t* colourMap,
                          std::uint32_t* destination) const
{
    // A frame without columns or rows has no pixels, and perhaps no storage:
    // its destination may be null, which no column may be offset from.
    if (width <= 0 || height <= 0)
        return;
    // The near samples that even the map's highest land would put below the
    // frame are the same for every column of this frame: skipped once here.
    const ColumnJob job{width,     height,    cameraX,     cameraY,
                        heightmap, colourMap, destination,
                        firstShowingSample(height, highestLand(heightmap))};
    drawColumns(job, heading);
}

void VoxelTerrain::drawColumn(std::int32_t width, std::int32_t height, std::int32_t angle,
                              std::int32_t cameraX, std::int32_t cameraY, std::int32_t column,
                              const std::uint8_t* heightmap, const std::uint32_t* colourMap,
                              std::uint32_t* destination) const
{
    const ColumnJob job{width,     height,    cameraX,     cameraY,
                        heightmap, colourMap, destination,
                        firstShowingSample(height, terrain::kHighestLand)};
    drawColumnOf(job, angle, column);
}

// A sample shows only when its row lies above the bottom row (height - 1)
// and above everything nearer. The projected row never rises as the height
// falls, so while land of highestLand projects onto the bottom row or below
// it, every land does, and such samples can be passed over.
std::int32_t VoxelTerrain::firstShowingSample(std::int32_t height, std::int32_t highestLand) const
{
    std::int32_t s = 0;
    while (s < kDepthSteps && projectedRow(highestLand, s) >= height - 1)
        ++s;
    return s;
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
