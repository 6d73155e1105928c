// VoxelTerrain: the fogged height-field landscape. For every screen column
// one ray walks the 256x256 map in 256 fixed steps, nearest first; each
// visible sample paints a vertical span bottom to top, so nearer land hides
// farther land. Only land is drawn: rows above it keep what the frame held.
#pragma once

#include <cstdint>
#include <memory>

class VoxelTerrain {
public:
    VoxelTerrain();
    VoxelTerrain(const VoxelTerrain&) = delete;
    VoxelTerrain& operator=(const VoxelTerrain&) = delete;

    // Draws columns 0..width-1. cameraX and cameraY are in 1/256ths of a map
    // cell; heading is in 2048ths of a turn. heightmap is 65536 bytes,
    // colourMap 65536 pixels, destination width x height pixels.
    void render(std::int32_t width, std::int32_t height, std::int32_t cameraX,
                std::int32_t cameraY, std::int32_t heading, const std::uint8_t* heightmap,
                const std::uint32_t* colourMap, std::uint32_t* destination) const;

    void drawColumn(std::int32_t width, std::int32_t height, std::int32_t angle,
                    std::int32_t cameraX, std::int32_t cameraY, std::int32_t column,
                    const std::uint8_t* heightmap, const std::uint32_t* colourMap,
                    std::uint32_t* destination) const;

    // Writes colour to rows max(top, 0)..min(bottom, height - 1) of the column.
    void fillSpan(std::int32_t width, std::int32_t height, std::int32_t column,
                  std::int32_t top, std::int32_t bottom, std::uint32_t colour,
                  std::uint32_t* destination) const;

    std::int32_t depthSteps;
    std::int32_t horizonRow;
    std::unique_ptr<float[]> reciprocals;      // 1000 entries: 1/d, entry 0 is 0
    std::unique_ptr<std::int32_t[]> cosTable;  // 2048 entries, 16.16
    std::unique_ptr<std::int32_t[]> sinTable;  // 2048 entries, 16.16
    std::unique_ptr<std::int32_t[]> rowTable;  // depthSteps + 2 entries
    std::int32_t altitude = 0;                 // set by the scene before each render
};
