// The column walk of VoxelTerrain, arranged in passes so that most of the
// work runs in straight loops the compiler vectorises: the cells along the
// ray, the projected rows, the lowest row of each block of samples; then a
// short walk that picks the samples that show, and the spans they paint.
#include "terrain/voxel_terrain.h"

#include "fx/packed_channels.h"
#include "fx/pixel_rows.h"
#include "fx/simd_level.h"
#include "terrain/terrain_lanes.h"
#include "terrain/terrain_layout.h"

#include <algorithm>
#include <cstddef>

using terrain::kAngleMask;
using terrain::kDepthSteps;

namespace {

// Bounds for a projected row before its conversion to int. Any row at or
// above kHighestRow is hidden (top never exceeds height - 1 < kHighestRow)
// and any row at or below kLowestRow leaves top at or below 0, after which
// no span paints, so clamping to these bounds paints exactly what the exact
// row would. kLowestRow keeps top - 1 inside the int range.
constexpr double kHighestRow = 2147483647.0;
constexpr double kLowestRow = -2147483647.0;

// While the altitude part of the lift stays within this bound, every
// (h + lift) * 32 lies within +-2^30: it fits a 32-bit int, and the row,
// never further than 2128 from it, converts to int without the clamp above.
constexpr std::int64_t kSmallLift = (std::int64_t{1} << 25) - 256;

// The samples in blocks of eight, so that hidden blocks are passed over
// whole. The rows past the last sample are padded with a row that never
// shows.
constexpr std::int32_t kBlockSamples = 8;
constexpr std::int32_t kMostBlocks = kDepthSteps / kBlockSamples;
constexpr std::int32_t kNeverShows = INT32_MAX;

// Frames up to this height paint each column through a buffer of its rows,
// kSpanBlock rows at a time; taller ones paint span by span.
constexpr std::int32_t kColumnRows = 1024;
constexpr std::int32_t kSpanBlock = 8;

// The map cell under a 16.16 ray position: whole cell coordinates by
// arithmetic shift, then the row-major ring of 65536 cells. Only the low 16
// bits matter, so unsigned arithmetic is exact.
inline std::uint32_t cellAt(std::uint32_t x, std::uint32_t y)
{
    const std::uint32_t cellX = static_cast<std::uint32_t>(static_cast<std::int32_t>(x) >> 16);
    const std::uint32_t cellY = static_cast<std::uint32_t>(static_cast<std::int32_t>(y) >> 16);
    return ((cellY << 8) + cellX) & 0xFFFFu;
}

// The lowest set bit of a nonzero mask.
inline std::int32_t lowestSetBit(std::uint32_t bits)
{
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctz(bits);
#else
    std::int32_t bit = 0;
    while ((bits & 1u) == 0) {
        bits >>= 1;
        ++bit;
    }
    return bit;
#endif
}

// The map cell and height of count samples along the ray, one step apart
// from (x, y) on. The cells come from a loop that vectorises; the heights
// are one load after another, unrolled so that the loop's own count and
// branch do not cost as much as the loads.
void walkRay(std::uint32_t x, std::uint32_t y, std::uint32_t dx, std::uint32_t dy,
             std::int32_t count, const std::uint8_t* heightmap, std::uint32_t* cells,
             std::int32_t* heights)
{
    for (std::int32_t i = 0; i < count; ++i) {
        x += dx;
        y += dy;
        cells[i] = cellAt(x, y);
    }
#pragma GCC unroll 8
    for (std::int32_t i = 0; i < count; ++i)
        heights[i] = heightmap[cells[i]];
}

// The projected rows of count samples for a lift small enough that every
// product fits an int (see kSmallLift).
void projectRows(const std::int32_t* __restrict heights, std::int32_t smallLift,
                 const double* __restrict base, const double* __restrict scale,
                 std::int32_t count, std::int32_t* __restrict rows)
{
    for (std::int32_t i = 0; i < count; ++i) {
        const double lifted = static_cast<double>((heights[i] + smallLift) * 32);
        rows[i] = static_cast<std::int32_t>(base[i] - lifted * scale[i]);
    }
}

// The lowest row (the highest on screen) of each block.
void lowestOfBlocks(const std::int32_t* rows, std::int32_t blocks, std::int32_t* lowest)
{
    for (std::int32_t b = 0; b < blocks; ++b) {
        std::int32_t m = rows[b * kBlockSamples];
        for (std::int32_t k = 1; k < kBlockSamples; ++k)
            m = std::min(m, rows[b * kBlockSamples + k]);
        lowest[b] = m;
    }
}

// Picks the samples that show, nearest first, into shown; returns how many.
// A sample shows when its row lies above top, the highest row shown so far
// (a sample on top adds nothing); top starts on the bottom row, which is
// therefore never painted, and ends as the highest row painted. A block
// whose lowest row is not above top is passed over at once. Inside a block
// the walk takes a running minimum and appends, with no branch that depends
// on the land. Once top reaches row 0 no later sample can paint; the
// samples of that last block noted after it have empty spans.
std::int32_t pickShown(const std::int32_t* rows, const std::int32_t* lowest, std::int32_t blocks,
                       std::int32_t& top, std::int32_t* shown)
{
    std::int32_t count = 0;
    for (std::int32_t b = 0; b < blocks && top > 0; ++b) {
        if (lowest[b] >= top)
            continue;
        for (std::int32_t k = 0; k < kBlockSamples; ++k) {
            const std::int32_t i = b * kBlockSamples + k;
            // The only chain from sample to sample is the minimum: a
            // compare and a conditional move, no branch.
            const std::int32_t row = rows[i];
            shown[count] = i;
            count += static_cast<std::int32_t>(row < top);
            top = std::min(top, row);
        }
    }
    return count;
}

// Paints the spans of the shown samples into a buffer of one column's rows:
// sample k from its row down to the row above sample k - 1's, the nearest
// down to the row above the bottom row. The spans are painted farthest
// first, each with a fixed block of kSpanBlock rows and a loop only for
// longer ones (most spans are a few rows): a block running past its span's
// end lands on nearer rows painted after it, or in the kSpanBlock rows of
// padding below the bottom row.
void paintSpans(const std::int32_t* spanTops, const std::uint32_t* colours, std::int32_t count,
                std::int32_t height, std::uint32_t* buffer)
{
    for (std::int32_t k = count - 1; k >= 0; --k) {
        std::uint32_t* span = buffer + std::max(spanTops[k], 0);
        const std::uint32_t* end = buffer + (k == 0 ? height - 1 : std::max(spanTops[k - 1], 0));
        for (std::int32_t r = 0; r < kSpanBlock; ++r)
            span[r] = colours[k];
        for (span += kSpanBlock; span < end; ++span)
            *span = colours[k];
    }
}

// One span painted nearest first: rows top..bottom - 1 of a column's
// buffer, a fixed block of kSpanBlock rows ending at bottom and a loop only
// for longer spans. A block reaching above top lands on rows that farther
// spans paint afterwards, on rows above the highest painted one (never
// placed), or in the kSpanBlock rows before the column (the padding of the
// column before it, or of the buffers).
inline void paintUpward(std::uint32_t* column, std::int32_t top, std::int32_t bottom,
                        std::uint32_t colour)
{
    std::uint32_t* const block = column + bottom - kSpanBlock;
    for (std::int32_t r = 0; r < kSpanBlock; ++r)
        block[r] = colour;
    for (std::int32_t r = bottom - kSpanBlock - 1; r >= top; --r)
        column[r] = colour;
}

// The same spans straight into the frame's column, for frames taller than
// the buffers.
void paintTallColumn(const std::int32_t* spanTops, const std::uint32_t* colours,
                     std::int32_t count, std::int32_t height, std::uint32_t* columnPixels,
                     std::ptrdiff_t stride)
{
    std::int32_t bottom = height - 1;
    for (std::int32_t k = 0; k < count; ++k) {
        for (std::int32_t r = std::max(spanTops[k], 0); r < bottom; ++r)
            columnPixels[r * stride] = colours[k];
        bottom = spanTops[k];
    }
}

} // namespace

// The projected row of a sample: trunc(rowTable[s] - (h - altitude - 10) *
// 32 * reciprocals[s + 1]), the product in integers, the rest in double,
// clamped as above.
std::int32_t VoxelTerrain::projectedRow(std::int32_t h, std::int32_t sample) const
{
    const std::int64_t lift = -static_cast<std::int64_t>(altitude) - 10;
    const double lifted = static_cast<double>((h + lift) * 32);
    const double exactRow = rowBase[sample] - lifted * distanceScale[sample];
    return static_cast<std::int32_t>(std::min(std::max(exactRow, kLowestRow), kHighestRow));
}

// The rows of count samples from sample first on. For the altitudes of the
// show this is a straight loop that the compiler vectorises; far-out
// altitudes take projectedRow with its 64-bit product and clamp. Both give
// the same doubles, operation for operation.
void VoxelTerrain::projectSamples(std::int32_t first, std::int32_t count,
                                  const std::int32_t* heights, std::int32_t* rows) const
{
    std::int32_t lift;
    if (smallLift(lift)) {
        projectRows(heights, lift, rowBase.get() + first, distanceScale.get() + first, count, rows);
        return;
    }
    for (std::int32_t i = 0; i < count; ++i)
        rows[i] = projectedRow(heights[i], first + i);
}

std::int32_t VoxelTerrain::spansOf(const ColumnJob& job, std::int32_t angle,
                                   std::int32_t* spanTops, std::uint32_t* colours,
                                   std::int32_t& highestPainted) const
{
    highestPainted = job.height - 1;
    const std::int32_t first = job.firstSample;
    const std::int32_t count = kDepthSteps - first;
    if (count <= 0 || job.height <= 1)
        return 0;

    // 16.16 ray position and step, from the first sample that can show. The
    // position lives in unsigned 32-bit integers so that the shift and the
    // additions wrap in two's complement without undefined behaviour; it is
    // read back as signed for the cell.
    angle &= kAngleMask;
    const std::uint32_t dx = static_cast<std::uint32_t>(cosTable[angle]);
    const std::uint32_t dy = static_cast<std::uint32_t>(sinTable[angle]);
    const std::uint32_t x = (static_cast<std::uint32_t>(job.cameraX) << 8) + static_cast<std::uint32_t>(first) * dx;
    const std::uint32_t y = (static_cast<std::uint32_t>(job.cameraY) << 8) + static_cast<std::uint32_t>(first) * dy;

    std::uint32_t cells[kDepthSteps];
    std::int32_t heights[kDepthSteps];
    walkRay(x, y, dx, dy, count, job.heightmap, cells, heights);

    std::int32_t rows[kDepthSteps + kBlockSamples];
    projectSamples(first, count, heights, rows);
    const std::int32_t blocks = (count + kBlockSamples - 1) / kBlockSamples;
    for (std::int32_t i = count; i < blocks * kBlockSamples; ++i)
        rows[i] = kNeverShows;

    std::int32_t lowest[kMostBlocks];
    lowestOfBlocks(rows, blocks, lowest);
    std::int32_t shown[kDepthSteps + kBlockSamples];
    std::int32_t top = job.height - 1;
    const std::int32_t shownCount = pickShown(rows, lowest, blocks, top, shown);

    // Channels are masked to their bytes: identical for the colour maps of
    // the system (top byte zero), and a painted pixel keeps a zero top byte
    // whatever the map holds.
    for (std::int32_t k = 0; k < shownCount; ++k) {
        const std::int32_t i = shown[k];
        spanTops[k] = rows[i];
        colours[k] = lowerChannels(job.colourMap[cells[i]], PackedFade(fog[first + i]));
    }
    if (shownCount > 0)
        highestPainted = std::max(top, 0);
    return shownCount;
}

void VoxelTerrain::drawColumnOf(const ColumnJob& job, std::int32_t angle, std::int32_t column) const
{
    std::int32_t spanTops[kDepthSteps + kBlockSamples];
    std::uint32_t colours[kDepthSteps + kBlockSamples];
    std::int32_t highestPainted;
    const std::int32_t count = spansOf(job, angle, spanTops, colours, highestPainted);
    if (count == 0)
        return;
    std::uint32_t* const columnPixels = job.destination + column;
    const std::ptrdiff_t stride = job.width;
    if (job.height > kColumnRows) {
        paintTallColumn(spanTops, colours, count, job.height, columnPixels, stride);
        return;
    }
    std::uint32_t buffer[kColumnRows + kSpanBlock];
    paintSpans(spanTops, colours, count, job.height, buffer);
    for (std::int32_t r = highestPainted; r < job.height - 1; ++r)
        columnPixels[r * stride] = buffer[r];
}

// The lift -altitude - 10 when it is small enough for the straight loops
// (kSmallLift); false otherwise.
bool VoxelTerrain::smallLift(std::int32_t& lift) const
{
    const std::int64_t wide = -static_cast<std::int64_t>(altitude) - 10;
    if (wide < -kSmallLift || wide > kSmallLift)
        return false;
    lift = static_cast<std::int32_t>(wide);
    return true;
}

// Neighbouring columns walked together, one per vector lane
// (terrain_lanes.h), and their spans painted into their buffers: the same
// spans as spansOf's, since the lanes show the same samples at the same
// rows.
void VoxelTerrain::paintLanes(const ColumnJob& job, std::int32_t heading, std::int32_t firstColumn,
                              std::int32_t lanes, std::int32_t lift, std::uint32_t* buffers,
                              std::ptrdiff_t columnStride, std::int32_t* highestPainted) const
{
    const std::int32_t first = job.firstSample;
    terrain::LaneWalk walk;
    for (std::int32_t l = 0; l < lanes; ++l) {
        const std::int32_t angle = angleOf(firstColumn + l, heading);
        walk.dx[l] = static_cast<std::uint32_t>(cosTable[angle]);
        walk.dy[l] = static_cast<std::uint32_t>(sinTable[angle]);
        walk.x[l] = (static_cast<std::uint32_t>(job.cameraX) << 8) + static_cast<std::uint32_t>(first) * walk.dx[l];
        walk.y[l] = (static_cast<std::uint32_t>(job.cameraY) << 8) + static_cast<std::uint32_t>(first) * walk.dy[l];
    }
    walk.heightmap = job.heightmap;
    walk.rowBase = rowBase.get() + first;
    walk.distanceScale = distanceScale.get() + first;
    walk.smallLift = lift;
    walk.count = kDepthSteps - first;
    walk.bottomRow = job.height - 1;

    std::int32_t rows[kDepthSteps * terrain::kMostLanes];
    std::uint32_t cells[kDepthSteps * terrain::kMostLanes];
    std::uint8_t shows[kDepthSteps];
    terrain::LaneSamples samples{rows, cells, shows, {}};
    const std::int32_t walked = terrain::walkLanes(simdLevel(), walk, samples);

    // The shown samples of each lane come nearest first; each paints its
    // span at once, from the row above the lane's painted top up to its own
    // row (paintUpward).
    std::int32_t laneTops[terrain::kMostLanes];
    for (std::int32_t l = 0; l < lanes; ++l)
        laneTops[l] = job.height - 1;
    for (std::int32_t i = 0; i < walked; ++i) {
        std::uint32_t laneBits = shows[i];
        if (laneBits == 0)
            continue;
        const PackedFade fade(fog[first + i]);
        do {
            const std::int32_t l = lowestSetBit(laneBits);
            laneBits &= laneBits - 1;
            const std::int32_t row = rows[i * lanes + l];
            const std::int32_t bottom = laneTops[l];
            laneTops[l] = row;
            if (bottom > 0)
                paintUpward(buffers + l * columnStride, std::max(row, 0), bottom,
                            lowerChannels(job.colourMap[cells[i * lanes + l]], fade));
        } while (laneBits != 0);
    }
    for (std::int32_t l = 0; l < lanes; ++l)
        highestPainted[l] = std::max(samples.tops[l], 0);
}

// Eight neighbouring columns painted into buffers of their rows that lie one
// after another, then placed into the frame row by row, eight pixels at a
// time (placeColumns), instead of one pixel per frame row and column. The
// columns walk in vector lanes where the instruction set has them and the
// altitude allows; the column walk is the reference they follow.
void VoxelTerrain::drawColumnGroup(const ColumnJob& job, std::int32_t heading,
                                   std::int32_t firstColumn) const
{
    // Each column's rows are followed by kSpanBlock rows of padding, and the
    // first column is preceded by as many.
    const std::ptrdiff_t columnStride = job.height + kSpanBlock;
    std::uint32_t paddedBuffers[kSpanBlock + kPlacedColumns * (kColumnRows + kSpanBlock)];
    std::uint32_t* const buffers = paddedBuffers + kSpanBlock;
    std::int32_t highestPainted[kPlacedColumns];
    const std::int32_t lanes = terrain::laneCount(simdLevel());
    std::int32_t lift = 0;
    if (lanes > 0 && smallLift(lift) && job.firstSample < kDepthSteps && job.height > 1) {
        for (std::int32_t c = 0; c < kPlacedColumns; c += lanes)
            paintLanes(job, heading, firstColumn + c, lanes, lift, buffers + c * columnStride,
                       columnStride, highestPainted + c);
    } else {
        std::int32_t spanTops[kDepthSteps + kBlockSamples];
        std::uint32_t colours[kDepthSteps + kBlockSamples];
        for (std::int32_t c = 0; c < kPlacedColumns; ++c) {
            const std::int32_t count = spansOf(job, angleOf(firstColumn + c, heading), spanTops,
                                               colours, highestPainted[c]);
            paintSpans(spanTops, colours, count, job.height, buffers + c * columnStride);
        }
    }
    placeColumns(job.destination + firstColumn, job.width, buffers, columnStride, highestPainted,
                 job.height - 1);
}

void VoxelTerrain::drawColumns(const ColumnJob& job, std::int32_t heading) const
{
    std::int32_t c = 0;
    if (job.height <= kColumnRows)
        for (; c + kPlacedColumns <= job.width; c += kPlacedColumns)
            drawColumnGroup(job, heading, c);
    for (; c < job.width; ++c)
        drawColumnOf(job, angleOf(c, heading), c);
}
