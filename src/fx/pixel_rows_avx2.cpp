// The pixel rows in AVX2, eight pixels per instruction; compiled for AVX2
// function by function (the rest of the program stays on the baseline
// instruction set) and chosen only on processors that have it. Integer work
// only, so no floating-point rounding is at stake.
#include "fx/pixel_rows.h"
#include "fx/pixel_rows_paths.h"

#if KELVOR_HAS_AVX2

#include <immintrin.h>

#include <algorithm>
#include <cstdint>

#define KELVOR_AVX2 __attribute__((target("avx2")))

namespace pixel_rows {
namespace avx2 {

namespace {

KELVOR_AVX2 inline __m256i channelMask()
{
    return _mm256_set1_epi32(0x00FFFFFF);
}

KELVOR_AVX2 inline __m256i fadeVector(std::uint32_t fade)
{
    return _mm256_set1_epi32(static_cast<int>(fade * 0x00010101u));
}

KELVOR_AVX2 inline __m256i load(const Pixel* p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
KELVOR_AVX2 inline void store(Pixel* p, __m256i v)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// Eight pixels of a row sampled at columns[0..7]. Where the eight columns
// lie within sixteen neighbouring pixels of the row (every blit that shrinks
// its source by less than half, or stretches it), two loads and two
// permutes pick them; elsewhere eight loads are put together, which on the
// processors measured beats the gather instruction (vpgatherdd).
KELVOR_AVX2 inline __m256i gather(const Pixel* row, std::int32_t rowLength,
                                  const std::int32_t* columns)
{
    if (rowLength >= 16) {
        const std::int32_t base = std::min(columns[0], rowLength - 16);
        const __m256i offsets = _mm256_sub_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columns)), _mm256_set1_epi32(base));
        const __m256i outside =
            _mm256_or_si256(_mm256_cmpgt_epi32(offsets, _mm256_set1_epi32(15)),
                            _mm256_cmpgt_epi32(_mm256_setzero_si256(), offsets));
        if (_mm256_testz_si256(outside, outside)) {
            const __m256i fromLow = _mm256_permutevar8x32_epi32(load(row + base), offsets);
            const __m256i fromHigh = _mm256_permutevar8x32_epi32(load(row + base + 8), offsets);
            return _mm256_blendv_epi8(fromLow, fromHigh,
                                      _mm256_cmpgt_epi32(offsets, _mm256_set1_epi32(7)));
        }
    }
    return _mm256_setr_epi32(static_cast<int>(row[columns[0]]), static_cast<int>(row[columns[1]]),
                             static_cast<int>(row[columns[2]]), static_cast<int>(row[columns[3]]),
                             static_cast<int>(row[columns[4]]), static_cast<int>(row[columns[5]]),
                             static_cast<int>(row[columns[6]]), static_cast<int>(row[columns[7]]));
}

} // namespace

// The lanes of the last remaining (1..7) pixels of a row, as in the SSE2
// rows: the final vector lies over the row's last eight pixels and adds 0
// to the ones already done. Rows shorter than eight go to the SSE2 rows.
KELVOR_AVX2 inline __m256i lastLanes(std::int32_t remaining)
{
    return _mm256_cmpgt_epi32(_mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7),
                              _mm256_set1_epi32(7 - remaining));
}

KELVOR_AVX2 void addRow(Pixel* target, const Pixel* sampled, std::int32_t count)
{
    if (count < 8) {
        sse2::addRow(target, sampled, count);
        return;
    }
    const __m256i mask = channelMask();
    std::int32_t i = 0;
    for (; i + 8 <= count; i += 8)
        store(target + i,
              _mm256_and_si256(_mm256_adds_epu8(load(target + i), load(sampled + i)), mask));
    if (i < count) {
        const std::int32_t j = count - 8;
        const __m256i add = _mm256_and_si256(load(sampled + j), lastLanes(count - i));
        store(target + j, _mm256_and_si256(_mm256_adds_epu8(load(target + j), add), mask));
    }
}

KELVOR_AVX2 void gatherRow(Pixel* sampled, const Pixel* row, std::int32_t rowLength,
                           const std::int32_t* columns, std::int32_t count, std::uint32_t fade)
{
    if (count < 8) {
        sse2::gatherRow(sampled, row, rowLength, columns, count, fade);
        return;
    }
    const __m256i mask = channelMask();
    const __m256i lower = fadeVector(fade);
    std::int32_t i = 0;
    for (; i + 8 <= count; i += 8)
        store(sampled + i,
              _mm256_and_si256(_mm256_subs_epu8(gather(row, rowLength, columns + i), lower), mask));
    if (i < count) {
        const std::int32_t j = count - 8;
        store(sampled + j,
              _mm256_and_si256(_mm256_subs_epu8(gather(row, rowLength, columns + j), lower), mask));
    }
}

KELVOR_AVX2 void addGatheredRow(Pixel* target, const Pixel* row, std::int32_t rowLength,
                                const std::int32_t* columns, std::int32_t count, std::uint32_t fade)
{
    if (count < 8) {
        sse2::addGatheredRow(target, row, rowLength, columns, count, fade);
        return;
    }
    const __m256i mask = channelMask();
    const __m256i lower = fadeVector(fade);
    std::int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i source = _mm256_subs_epu8(gather(row, rowLength, columns + i), lower);
        store(target + i, _mm256_and_si256(_mm256_adds_epu8(load(target + i), source), mask));
    }
    if (i < count) {
        const std::int32_t j = count - 8;
        const __m256i source = _mm256_and_si256(
            _mm256_subs_epu8(gather(row, rowLength, columns + j), lower), lastLanes(count - i));
        store(target + j, _mm256_and_si256(_mm256_adds_epu8(load(target + j), source), mask));
    }
}

KELVOR_AVX2 void blendHalves(Pixel* pixels, Pixel* previous, std::size_t count)
{
    const __m256i halfMask = _mm256_set1_epi32(0x007F7F7F);
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i a = _mm256_and_si256(_mm256_srli_epi32(load(pixels + i), 1), halfMask);
        const __m256i b = _mm256_and_si256(_mm256_srli_epi32(load(previous + i), 1), halfMask);
        const __m256i blended = _mm256_add_epi32(a, b);
        store(pixels + i, blended);
        store(previous + i, blended);
    }
    sse2::blendHalves(pixels + i, previous + i, count - i);
}

// A block row is three pixels: wider vectors do not help.
void brightenBlock3x3(Pixel* topLeft, std::ptrdiff_t stride, const Pixel* amounts)
{
    sse2::brightenBlock3x3(topLeft, stride, amounts);
}

void placeColumns(Pixel* frame, std::ptrdiff_t frameStride, const Pixel* columns,
                  std::ptrdiff_t columnStride, const std::int32_t* from, std::int32_t endRow)
{
    sse2::placeColumns(frame, frameStride, columns, columnStride, from, endRow);
}

namespace {

// How one vector of eight target pixels samples its source row, worked out
// once for every row of a blit: the columns are the same on every row.
// Where the eight columns lie within sixteen neighbouring pixels, two loads
// from `base` and two permutes pick them; elsewhere eight loads do.
struct ChunkPlan {
    std::int32_t start;  // target pixel under the first lane (may lie before the row)
    std::int32_t base;   // source column of the two loads, or -1 for eight loads
    bool whole;          // every lane lies inside the row
    __m256i offsets;     // source column - base per lane (the columns themselves for eight loads)
    __m256i fromHigh;    // lanes taken from the second load
    __m256i lanes;       // lanes inside the row
};

// columns holds a source column for each of the chunk's lanes, inside the
// row also for lanes outside it.
KELVOR_AVX2 inline ChunkPlan planChunk(std::int32_t start, std::int32_t count,
                                       std::int32_t rowLength, const std::int32_t* columns)
{
    ChunkPlan plan;
    plan.start = start;
    plan.whole = start >= 0 && start + 8 <= count;
    const __m256i position = _mm256_add_epi32(_mm256_set1_epi32(start),
                                              _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    plan.lanes = _mm256_andnot_si256(_mm256_cmpgt_epi32(_mm256_setzero_si256(), position),
                                     _mm256_cmpgt_epi32(_mm256_set1_epi32(count), position));
    const __m256i wanted = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columns));
    plan.base = -1;
    plan.offsets = wanted;
    plan.fromHigh = _mm256_setzero_si256();
    if (rowLength >= 16) {
        const std::int32_t base = std::min(columns[0], rowLength - 16);
        const __m256i offsets = _mm256_sub_epi32(wanted, _mm256_set1_epi32(base));
        const __m256i outside =
            _mm256_or_si256(_mm256_cmpgt_epi32(offsets, _mm256_set1_epi32(15)),
                            _mm256_cmpgt_epi32(_mm256_setzero_si256(), offsets));
        if (_mm256_testz_si256(outside, outside)) {
            plan.base = base;
            plan.offsets = offsets;
            plan.fromHigh = _mm256_cmpgt_epi32(offsets, _mm256_set1_epi32(7));
        }
    }
    return plan;
}

KELVOR_AVX2 inline __m256i gatherPlanned(const Pixel* row, const ChunkPlan& plan)
{
    if (plan.base >= 0) {
        const __m256i fromLow = _mm256_permutevar8x32_epi32(load(row + plan.base), plan.offsets);
        const __m256i fromHigh = _mm256_permutevar8x32_epi32(load(row + plan.base + 8), plan.offsets);
        return _mm256_blendv_epi8(fromLow, fromHigh, plan.fromHigh);
    }
    alignas(32) std::int32_t columns[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(columns), plan.offsets);
    return _mm256_setr_epi32(static_cast<int>(row[columns[0]]), static_cast<int>(row[columns[1]]),
                             static_cast<int>(row[columns[2]]), static_cast<int>(row[columns[3]]),
                             static_cast<int>(row[columns[4]]), static_cast<int>(row[columns[5]]),
                             static_cast<int>(row[columns[6]]), static_cast<int>(row[columns[7]]));
}

// The pixels before the first target pixel that lie in the first row's
// 32-byte block: when every row starts at the same alignment, the chunks
// then start on 32-byte boundaries and no store spans two cache lines.
inline std::int32_t alignedHead(const Pixel* target, std::ptrdiff_t targetStride)
{
    if (targetStride % 8 != 0)
        return 0;
    return static_cast<std::int32_t>((reinterpret_cast<std::uintptr_t>(target) / sizeof(Pixel)) % 8);
}

// Adds one chunk's sampled pixels to the target row; lanes outside the row
// are neither read nor written.
KELVOR_AVX2 inline void addChunk(Pixel* target, const ChunkPlan& plan, __m256i source)
{
    const __m256i mask = channelMask();
    Pixel* const pixels = target + plan.start;
    if (plan.whole) {
        store(pixels, _mm256_and_si256(_mm256_adds_epu8(load(pixels), source), mask));
        return;
    }
    int* const lanes = reinterpret_cast<int*>(pixels);
    const __m256i sum = _mm256_adds_epu8(_mm256_maskload_epi32(lanes, plan.lanes), source);
    _mm256_maskstore_epi32(lanes, plan.lanes, _mm256_and_si256(sum, mask));
}

} // namespace

KELVOR_AVX2 void addSampledRows(Pixel* target, std::ptrdiff_t targetStride,
                                const Pixel* const* sourceRows, std::int32_t rowCount,
                                std::int32_t rowLength, const std::int32_t* columns,
                                std::int32_t count, std::uint32_t fade)
{
    if (count <= 0)
        return;
    count = std::min(count, kMostSampledColumns);
    // The chunks cover the row from the aligned block on; lanes outside it
    // sample the row's first or last column and are neither read nor
    // written in the target (masked loads and stores).
    const std::int32_t head = alignedHead(target, targetStride);
    const std::int32_t chunks = (head + count + 7) / 8;
    alignas(32) std::int32_t laneColumns[kMostSampledColumns + 16];
    for (std::int32_t k = 0; k < chunks * 8; ++k)
        laneColumns[k] = columns[std::min(std::max(k - head, 0), count - 1)];
    ChunkPlan plans[kMostSampledColumns / 8 + 2];
    for (std::int32_t c = 0; c < chunks; ++c)
        plans[c] = planChunk(c * 8 - head, count, rowLength, laneColumns + c * 8);

    // A source row that serves several target rows in a row (a stretched
    // card) is sampled once into a buffer, chunk by chunk.
    const __m256i lower = fadeVector(fade);
    alignas(32) Pixel sampled[kMostSampledColumns + 16];
    std::int32_t r = 0;
    while (r < rowCount) {
        const Pixel* const row = sourceRows[r];
        std::int32_t rowsAlike = 1;
        while (r + rowsAlike < rowCount && sourceRows[r + rowsAlike] == row)
            ++rowsAlike;
        if (rowsAlike == 1) {
            for (std::int32_t c = 0; c < chunks; ++c)
                addChunk(target, plans[c], _mm256_subs_epu8(gatherPlanned(row, plans[c]), lower));
        } else {
            for (std::int32_t c = 0; c < chunks; ++c)
                _mm256_store_si256(reinterpret_cast<__m256i*>(sampled + 8 * c),
                                   _mm256_subs_epu8(gatherPlanned(row, plans[c]), lower));
            for (std::int32_t k = 0; k < rowsAlike; ++k)
                for (std::int32_t c = 0; c < chunks; ++c)
                    addChunk(target + k * targetStride, plans[c],
                             _mm256_load_si256(reinterpret_cast<const __m256i*>(sampled + 8 * c)));
        }
        r += rowsAlike;
        target += rowsAlike * targetStride;
    }
}

} // namespace avx2
} // namespace pixel_rows

#endif
