// The geometry shared by the two scaled blits: where the stretched source
// lands on the target, clipped, and how the 16.16 accumulators walk it.
#pragma once

#include <cstdint>

struct BlitGeometry {
    std::int32_t left;    // first target column drawn
    std::int32_t top;     // first target row drawn
    std::int32_t right;   // one past the last target column drawn
    std::int32_t bottom;  // one past the last target row drawn
    std::int64_t startU;  // column accumulator at the first drawn column
    std::int64_t startV;  // row accumulator at the first drawn row
    std::int64_t stepX;   // 16.16 source columns per target column
    std::int64_t stepY;   // 16.16 source rows per target row
};

// Works out the rectangle of size width x height centred on (cx, cy), the
// source walked with spanX / spanY source pixels across it (the source size
// for the additive blit, one less for the faded one). Returns false when
// nothing is to be drawn. The last column and row of the target are never
// part of the rectangle.
bool planBlit(float cx, float cy, float width, float height, std::int32_t spanX,
              std::int32_t spanY, std::int32_t targetWidth, std::int32_t targetHeight,
              BlitGeometry& geometry);
