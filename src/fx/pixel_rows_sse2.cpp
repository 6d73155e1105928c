// The pixel rows in SSE2: the saturating byte add and subtract (paddusb,
// psubusb) are exactly the channel arithmetic, four pixels per instruction.
// The top byte is cleared by a mask where the portable code clears it. The
// same source builds for WebAssembly SIMD through the browser compiler's
// SSE2 headers.
#include "fx/pixel_rows.h"
#include "fx/pixel_rows_paths.h"

#if KELVOR_HAS_SSE2

#include <emmintrin.h>

#include <algorithm>

namespace pixel_rows {
namespace sse2 {

namespace {

inline __m128i channelMask()
{
    return _mm_set1_epi32(0x00FFFFFF);
}

// fade in each of the three channels, 0 in the top byte.
inline __m128i fadeVector(std::uint32_t fade)
{
    return _mm_set1_epi32(static_cast<int>(fade * 0x00010101u));
}

inline __m128i load(const Pixel* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void store(Pixel* p, __m128i v)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

inline __m128i gather(const Pixel* row, const std::int32_t* columns)
{
    return _mm_setr_epi32(static_cast<int>(row[columns[0]]), static_cast<int>(row[columns[1]]),
                          static_cast<int>(row[columns[2]]), static_cast<int>(row[columns[3]]));
}

} // namespace

// The lanes of the last remaining pixels of a row, when remaining (1..3)
// pixels are left after the whole vectors: the final vector is laid over
// the row's last four pixels, and only these lanes add anything.
inline __m128i lastLanes(std::int32_t remaining)
{
    return _mm_cmpgt_epi32(_mm_setr_epi32(0, 1, 2, 3), _mm_set1_epi32(3 - remaining));
}

// Rows of four pixels or more end with one vector over their last four
// pixels, which adds 0 to the ones already done: a sum there is already
// saturated with a cleared top byte, so adding 0 changes nothing. Shorter
// rows go pixel by pixel.
void addRow(Pixel* target, const Pixel* sampled, std::int32_t count)
{
    if (count < 4) {
        portable::addRow(target, sampled, count);
        return;
    }
    const __m128i mask = channelMask();
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        store(target + i, _mm_and_si128(_mm_adds_epu8(load(target + i), load(sampled + i)), mask));
    if (i < count) {
        const std::int32_t j = count - 4;
        const __m128i add = _mm_and_si128(load(sampled + j), lastLanes(count - i));
        store(target + j, _mm_and_si128(_mm_adds_epu8(load(target + j), add), mask));
    }
}

// The last vector of a row of four or more is laid over its last four
// pixels; the ones already done get the same values again.
void gatherRow(Pixel* sampled, const Pixel* row, std::int32_t rowLength,
               const std::int32_t* columns, std::int32_t count, std::uint32_t fade)
{
    if (count < 4) {
        portable::gatherRow(sampled, row, rowLength, columns, count, fade);
        return;
    }
    const __m128i mask = channelMask();
    const __m128i lower = fadeVector(fade);
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        store(sampled + i, _mm_and_si128(_mm_subs_epu8(gather(row, columns + i), lower), mask));
    if (i < count) {
        const std::int32_t j = count - 4;
        store(sampled + j, _mm_and_si128(_mm_subs_epu8(gather(row, columns + j), lower), mask));
    }
}

// As addRow: the last vector adds 0 to the pixels already done. The top
// byte of each sum is masked away, so the lowered source's own top byte
// does not matter.
void addGatheredRow(Pixel* target, const Pixel* row, std::int32_t rowLength,
                    const std::int32_t* columns, std::int32_t count, std::uint32_t fade)
{
    if (count < 4) {
        portable::addGatheredRow(target, row, rowLength, columns, count, fade);
        return;
    }
    const __m128i mask = channelMask();
    const __m128i lower = fadeVector(fade);
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i source = _mm_subs_epu8(gather(row, columns + i), lower);
        store(target + i, _mm_and_si128(_mm_adds_epu8(load(target + i), source), mask));
    }
    if (i < count) {
        const std::int32_t j = count - 4;
        const __m128i source =
            _mm_and_si128(_mm_subs_epu8(gather(row, columns + j), lower), lastLanes(count - i));
        store(target + j, _mm_and_si128(_mm_adds_epu8(load(target + j), source), mask));
    }
}

void blendHalves(Pixel* pixels, Pixel* previous, std::size_t count)
{
    const __m128i halfMask = _mm_set1_epi32(0x007F7F7F);
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i a = _mm_and_si128(_mm_srli_epi32(load(pixels + i), 1), halfMask);
        const __m128i b = _mm_and_si128(_mm_srli_epi32(load(previous + i), 1), halfMask);
        const __m128i blended = _mm_add_epi32(a, b);
        store(pixels + i, blended);
        store(previous + i, blended);
    }
    portable::blendHalves(pixels + i, previous + i, count - i);
}

// Each block row is one four-pixel add whose fourth amount is 0, so the
// pixel right of the block is written back as it was; the amounts' top
// bytes are 0, so every pixel keeps its own.
void brightenBlock3x3(Pixel* topLeft, std::ptrdiff_t stride, const Pixel* amounts)
{
    const __m128i mask = channelMask();
    Pixel* row = topLeft;
    for (int r = 0; r < 3; ++r, row += stride) {
        const __m128i add = _mm_and_si128(_mm_setr_epi32(static_cast<int>(amounts[3 * r]),
                                                         static_cast<int>(amounts[3 * r + 1]),
                                                         static_cast<int>(amounts[3 * r + 2]), 0),
                                          mask);
        store(row, _mm_adds_epu8(load(row), add));
    }
}

// Four rows of four columns at a time: the four column vectors turned into
// four row vectors. Rows where a column is not to be written take the
// frame's own pixel in that lane; the rows at the end that do not fill a
// block of four go pixel by pixel.
void placeColumns(Pixel* frame, std::ptrdiff_t frameStride, const Pixel* columns,
                  std::ptrdiff_t columnStride, const std::int32_t* from, std::int32_t endRow)
{
    std::int32_t first = from[0];
    std::int32_t allFrom = from[0];
    for (std::int32_t c = 1; c < kPlacedColumns; ++c) {
        first = std::min(first, from[c]);
        allFrom = std::max(allFrom, from[c]);
    }
    std::int32_t r = first;
    for (; r + 4 <= endRow; r += 4) {
        for (std::int32_t half = 0; half < kPlacedColumns; half += 4) {
            const Pixel* column = columns + half * columnStride + r;
            const __m128i c0 = load(column);
            const __m128i c1 = load(column + columnStride);
            const __m128i c2 = load(column + 2 * columnStride);
            const __m128i c3 = load(column + 3 * columnStride);
            const __m128i low01 = _mm_unpacklo_epi32(c0, c1);
            const __m128i low23 = _mm_unpacklo_epi32(c2, c3);
            const __m128i high01 = _mm_unpackhi_epi32(c0, c1);
            const __m128i high23 = _mm_unpackhi_epi32(c2, c3);
            const __m128i rows[4] = {
                _mm_unpacklo_epi64(low01, low23), _mm_unpackhi_epi64(low01, low23),
                _mm_unpacklo_epi64(high01, high23), _mm_unpackhi_epi64(high01, high23)};
            const __m128i starts = load(reinterpret_cast<const Pixel*>(from + half));
            Pixel* target = frame + r * frameStride + half;
            for (std::int32_t i = 0; i < 4; ++i, target += frameStride) {
                if (r + i >= allFrom) {
                    store(target, rows[i]);
                    continue;
                }
                // Lanes whose column starts below this row keep the frame.
                const __m128i keep = _mm_cmpgt_epi32(starts, _mm_set1_epi32(r + i));
                store(target, _mm_or_si128(_mm_andnot_si128(keep, rows[i]),
                                           _mm_and_si128(keep, load(target))));
            }
        }
    }
    for (; r < endRow; ++r)
        for (std::int32_t c = 0; c < kPlacedColumns; ++c)
            if (r >= from[c])
                frame[r * frameStride + c] = columns[c * columnStride + r];
}

} // namespace sse2
} // namespace pixel_rows

#endif
