// Rows of pixels worked on channel by channel with saturation, in the
// instruction set of simdLevel(): the inner loops of the scaled blits, the
// glow stamp and the trail. Every level gives the results of the portable
// code (packed_channels.h), which gives those of the channel tables.
#pragma once

#include "image/image.h"

#include <cstddef>
#include <cstdint>

// target[i] = addSaturated(target[i], sampled[i]) for count pixels.
void addRow(Pixel* target, const Pixel* sampled, std::int32_t count);

// sampled[i] = lowerChannels(row[columns[i]], fade): the source row of
// rowLength pixels sampled at the given columns (each within the row), every
// channel lowered by fade (0..255; 0 keeps the channels and clears the top
// byte).
void gatherRow(Pixel* sampled, const Pixel* row, std::int32_t rowLength,
               const std::int32_t* columns, std::int32_t count, std::uint32_t fade);

// The two above in one pass, for a sampled row that serves one target row:
// target[i] = addSaturated(target[i], lowerChannels(row[columns[i]], fade)).
void addGatheredRow(Pixel* target, const Pixel* row, std::int32_t rowLength,
                    const std::int32_t* columns, std::int32_t count, std::uint32_t fade);

// A whole blit's rows at once, for instruction sets that plan how each
// vector samples its source row once for all rows: target row r (at target
// + r * targetStride) gets addSaturated(target[i], lowerChannels(
// sourceRows[r][columns[i]], fade)) for i < count (count at most
// kMostSampledColumns).
constexpr std::int32_t kMostSampledColumns = 512;
using SampledRowsAdd = void (*)(Pixel* target, std::ptrdiff_t targetStride,
                                const Pixel* const* sourceRows, std::int32_t rowCount,
                                std::int32_t rowLength, const std::int32_t* columns,
                                std::int32_t count, std::uint32_t fade);

// The three above for the instruction set in use, picked once for a loop
// that calls them row after row, and the whole-blit rows where the
// instruction set has them (null elsewhere).
struct BlitRows {
    void (*add)(Pixel* target, const Pixel* sampled, std::int32_t count);
    void (*gather)(Pixel* sampled, const Pixel* row, std::int32_t rowLength,
                   const std::int32_t* columns, std::int32_t count, std::uint32_t fade);
    void (*addGathered)(Pixel* target, const Pixel* row, std::int32_t rowLength,
                        const std::int32_t* columns, std::int32_t count, std::uint32_t fade);
    SampledRowsAdd addSampled;
};
BlitRows blitRows();

// The trail: pixels[i] = previous[i] = each channel of both halved (rounded
// down) and summed. The buffers must not overlap.
void blendHalves(Pixel* pixels, Pixel* previous, std::size_t count);

// Adds amounts[0..8] (top bytes 0) to the 3x3 block whose top-left pixel is
// topLeft, rows stride pixels apart, with saturation; each pixel keeps its
// top byte. The pixel right of each block row is read and written back
// unchanged, so it must exist: the block may not touch the last column.
void brightenBlock3x3(Pixel* topLeft, std::ptrdiff_t stride, const Pixel* amounts);

// Columns painted into buffers, placed into the frame row by row:
// kPlacedColumns columns whose rows lie one after another, row r of column c
// at columns[c * columnStride + r], go to frame[r * frameStride + c] for the
// rows r from from[c] up to endRow - 1. Above from[c] the frame keeps its
// pixels, and the buffers are not read there.
constexpr std::int32_t kPlacedColumns = 8;
void placeColumns(Pixel* frame, std::ptrdiff_t frameStride, const Pixel* columns,
                  std::ptrdiff_t columnStride, const std::int32_t* from, std::int32_t endRow);
