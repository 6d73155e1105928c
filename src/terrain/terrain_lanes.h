// The column walk of the landscape across neighbouring columns at once, one
// column per vector lane: 4 lanes with SSE2 (and WebAssembly SIMD through
// its SSE2 headers) and NEON, 8 with AVX2. Every lane takes its own ray
// position, step and painted top through exactly the integer and double
// operations of the column walk in terrain_column.cpp, in the same order,
// so the samples that show and their rows are the same bit for bit.
#pragma once

#include "fx/simd_level.h"

#include <cstdint>

namespace terrain {

// The most lanes any instruction set walks at once.
constexpr std::int32_t kMostLanes = 8;

// One walk over `lanes` columns. The samples run from the first that can
// show (sample `first` of the terrain) for `count` samples; each lane's ray
// starts at (x, y) one sample before it and steps by (dx, dy).
struct LaneWalk {
    std::uint32_t x[kMostLanes];
    std::uint32_t y[kMostLanes];
    std::uint32_t dx[kMostLanes];
    std::uint32_t dy[kMostLanes];
    const std::uint8_t* heightmap;
    const double* rowBase;       // rowTable[s] as doubles, from sample first on
    const double* distanceScale; // reciprocals[s + 1] as doubles, from sample first on
    std::int32_t smallLift;      // -altitude - 10, small enough that (h + lift) * 32 fits an int
    std::int32_t count;          // samples to walk
    std::int32_t bottomRow;      // height - 1: the painted top each lane starts at
};

// What a walk leaves, sample-major: for walked sample i and lane l, its row
// at rows[i * lanes + l] and its map cell at cells[i * lanes + l]; bit l of
// shows[i] is set when the sample shows in lane l (its row lies above the
// lane's top so far). tops[l] is the lane's highest row shown, bottomRow
// when none. The walk stops early once every lane's top has reached row 0
// (no later sample can paint); it returns how many samples it walked.
struct LaneSamples {
    std::int32_t* rows;
    std::uint32_t* cells;
    std::uint8_t* shows;
    std::int32_t tops[kMostLanes];
};

// The lanes of the instruction set in use, 0 when it has none (portable).
std::int32_t laneCount(SimdLevel level);

// Walks laneCount(level) columns; the level must have lanes.
std::int32_t walkLanes(SimdLevel level, const LaneWalk& walk, LaneSamples& samples);

#if KELVOR_HAS_SSE2
std::int32_t walkLanesSse2(const LaneWalk& walk, LaneSamples& samples);
#endif
#if KELVOR_HAS_AVX2
std::int32_t walkLanesAvx2(const LaneWalk& walk, LaneSamples& samples);
#endif
#if KELVOR_HAS_NEON
std::int32_t walkLanesNeon(const LaneWalk& walk, LaneSamples& samples);
#endif

} // namespace terrain
