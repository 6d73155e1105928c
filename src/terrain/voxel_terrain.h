// VoxelTerrain: the fogged height-field landscape. For every screen column
// one ray walks the 256x256 map in 256 fixed steps, nearest first; each
// visible sample paints a vertical span bottom to top, so nearer land hides
// farther land. Only land is drawn: rows above it keep what the frame held.
#pragma once

#include <cstddef>
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

    const std::int32_t depthSteps;             // samples per column: 256
    const std::int32_t horizonRow;             // 80
    std::unique_ptr<float[]> reciprocals;      // 1000 entries: 1/d, entry 0 is 0
    std::unique_ptr<std::int32_t[]> cosTable;  // 2048 entries, 16.16
    std::unique_ptr<std::int32_t[]> sinTable;  // 2048 entries, 16.16
    std::unique_ptr<std::int32_t[]> rowTable;  // depthSteps + 2 entries
    std::int32_t altitude = 0;                 // set by the scene before each render

private:
    // The column walk, work shared by render and drawColumn (terrain_column.cpp).
    struct ColumnJob {
        std::int32_t width;
        std::int32_t height;
        std::int32_t cameraX;
        std::int32_t cameraY;
        const std::uint8_t* heightmap;
        const std::uint32_t* colourMap;
        std::uint32_t* destination;
        std::int32_t firstSample; // every nearer sample lies below the frame
    };
    // Every column of the frame: groups of kPlacedColumns (pixel_rows.h)
    // through drawColumnGroup where the frame allows, the rest one by one.
    void drawColumns(const ColumnJob& job, std::int32_t heading) const;
    void drawColumnOf(const ColumnJob& job, std::int32_t angle, std::int32_t column) const;
    void drawColumnGroup(const ColumnJob& job, std::int32_t heading, std::int32_t firstColumn) const;
    // lanes neighbouring columns from firstColumn on, walked in vector lanes
    // and painted into buffers columnStride apart (terrain_column.cpp).
    void paintLanes(const ColumnJob& job, std::int32_t heading, std::int32_t firstColumn,
                    std::int32_t lanes, std::int32_t lift, std::uint32_t* buffers,
                    std::ptrdiff_t columnStride, std::int32_t* highestPainted) const;
    bool smallLift(std::int32_t& lift) const;

    // The spans a column paints, nearest first, as their top rows and
    // colours; returns how many. highestPainted is the highest row they
    // paint, height - 1 when none.
    std::int32_t spansOf(const ColumnJob& job, std::int32_t angle, std::int32_t* spanTops,
                         std::uint32_t* colours, std::int32_t& highestPainted) const;

    // The angle index of column c: (c + heading - 160) & 0x7FF, in unsigned
    // arithmetic so that no heading can overflow; the low 11 bits are the
    // same.
    static std::int32_t angleOf(std::int32_t c, std::int32_t heading)
    {
        const std::uint32_t sum =
            static_cast<std::uint32_t>(c) + static_cast<std::uint32_t>(heading) - 160u;
        return static_cast<std::int32_t>(sum & 0x7FFu);
    }

    // The projected row of a sample of height h (see terrain_column.cpp);
    // projectSamples does it for count samples from the first one on.
    std::int32_t projectedRow(std::int32_t h, std::int32_t sample) const;
    void projectSamples(std::int32_t first, std::int32_t count, const std::int32_t* heights,
                        std::int32_t* rows) const;

    // The first sample that land as high as highestLand could show from,
    // for a frame of the given height; depthSteps when none can.
    std::int32_t firstShowingSample(std::int32_t height, std::int32_t highestLand) const;

    // Per-sample constants taken from the tables above at construction, in
    // the form the column walk uses them: the row base and the reciprocal
    // as doubles, and the fog as a whole amount.
    std::unique_ptr<double[]> rowBase;       // rowTable[s]
    std::unique_ptr<double[]> distanceScale; // reciprocals[s + 1]
    std::unique_ptr<std::uint32_t[]> fog;    // max(trunc(1.5 * (s + 1) - 150), 0)
};
