// The pixel rows in SSE2: the saturating byte add and subtract (paddusb,
// psubusb) are exactly the channel arithmetic, four pixels per instruction.
// The top byte is cleared by a mask where the portable code clears it. The
// same source builds for WebAssembly SIMD through the browser compiler's
// SSE2 headers.
#include "fx/pixel_rows_paths.h"

#if KELVOR_HAS_SSE2

#include <emmintrin.h>

namespace pixel_rows {
namespace sse2 {

namespace {

inline __m128i channelMask() { return _mm_set1_epi32(0x00FFFFFF); }

// fade in each of the three channels, 0 in the top byte.
inline __m128i fadeVector(std::uint32_t fade)
{
    return _mm_set1_epi32(static_cast<int>(fade * 0x00010101u));
}

inline __m128i load(const Pixel* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void store(Pixel* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

inline __m128i gather(const Pixel* row, const std::int32_t* columns)
{
    return _mm_setr_epi32(static_cast<int>(row[columns[0]]), static_cast<int>(row[columns[1]]),
                          static_cast<int>(row[columns[2]]), static_cast<int>(row[columns[3]]));
}

} // namespace

void addRow(Pixel* target, const Pixel* sampled, std::int32_t count)
{
    const __m128i mask = channelMask();
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        store(target + i, _mm_and_si128(_mm_adds_epu8(load(target + i), load(sampled + i)), mask));
    portable::addRow(target + i, sampled + i, count - i);
}

void gatherRow(Pixel* sampled, const Pixel* row, const std::int32_t* columns, std::int32_t count,
               std::uint32_t fade)
{
    const __m128i mask = channelMask();
    const __m128i lower = fadeVector(fade);
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        store(sampled + i, _mm_and_si128(_mm_subs_epu8(gather(row, columns + i), lower), mask));
    portable::gatherRow(sampled + i, row, columns + i, count - i, fade);
}

void addGatheredRow(Pixel* target, const Pixel* row, const std::int32_t* columns,
                    std::int32_t count, std::uint32_t fade)
{
    const __m128i mask = channelMask();
    const __m128i lower = fadeVector(fade);
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        // The top byte of the sum is masked away, so the lowered source's
        // own top byte does not matter.
        const __m128i source = _mm_subs_epu8(gather(row, columns + i), lower);
        store(target + i, _mm_and_si128(_mm_adds_epu8(load(target + i), source), mask));
    }
    portable::addGatheredRow(target + i, row, columns + i, count - i, fade);
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
        const __m128i add = _mm_and_si128(
            _mm_setr_epi32(static_cast<int>(amounts[3 * r]), static_cast<int>(amounts[3 * r + 1]),
                           static_cast<int>(amounts[3 * r + 2]), 0),
            mask);
        store(row, _mm_adds_epu8(load(row), add));
    }
}

} // namespace sse2
} // namespace pixel_rows

#endif
