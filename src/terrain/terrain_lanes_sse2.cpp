// The landscape's column walk in SSE2, four columns per walk; the same
// source builds for WebAssembly SIMD through the browser compiler's SSE2
// headers. The doubles go two to a register: converted from int exactly,
// multiplied, subtracted (never fused: the build forbids contraction) and
// truncated toward zero like the scalar casts.
#include "terrain/terrain_lanes.h"

#if KELVOR_HAS_SSE2

#include <emmintrin.h>

#include <algorithm>

namespace terrain {

namespace {

constexpr std::int32_t kLanes = 4;
// Samples walked per block.
constexpr std::int32_t kBlockSteps = 32;

// The rows of four lifted heights (h + lift) * 32 at one sample:
// trunc(base - lifted * scale) in double, as the column walk computes them.
inline __m128i projectedRows(__m128i lifted, double base, double scale)
{
    const __m128d baseVector = _mm_set1_pd(base);
    const __m128d scaleVector = _mm_set1_pd(scale);
    const __m128d low = _mm_cvtepi32_pd(lifted);
    const __m128d high = _mm_cvtepi32_pd(_mm_shuffle_epi32(lifted, _MM_SHUFFLE(3, 2, 3, 2)));
    const __m128i lowRows = _mm_cvttpd_epi32(_mm_sub_pd(baseVector, _mm_mul_pd(low, scaleVector)));
    const __m128i highRows =
        _mm_cvttpd_epi32(_mm_sub_pd(baseVector, _mm_mul_pd(high, scaleVector)));
    return _mm_unpacklo_epi64(lowRows, highRows);
}

inline __m128i loadLanes(const std::uint32_t* values)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(values));
}

} // namespace

std::int32_t walkLanesSse2(const LaneWalk& walk, LaneSamples& samples)
{
    __m128i x = loadLanes(walk.x);
    __m128i y = loadLanes(walk.y);
    const __m128i dx = loadLanes(walk.dx);
    const __m128i dy = loadLanes(walk.dy);
    const __m128i cellMask = _mm_set1_epi32(0xFFFF);
    const __m128i lift = _mm_set1_epi32(walk.smallLift);
    const __m128i zero = _mm_setzero_si128();
    __m128i top = _mm_set1_epi32(walk.bottomRow);
    const std::uint8_t* const heightmap = walk.heightmap;

    // A block of samples at a time: the cells, then their heights one load
    // after another (no lane inserts), then the rows and the running top.
    alignas(16) std::int32_t heights[kBlockSteps * kLanes];
    for (std::int32_t first = 0; first < walk.count; first += kBlockSteps) {
        const std::int32_t steps = std::min(kBlockSteps, walk.count - first);
        std::uint32_t* const cells = samples.cells + first * kLanes;
        for (std::int32_t j = 0; j < steps; ++j) {
            x = _mm_add_epi32(x, dx);
            y = _mm_add_epi32(y, dy);
            const __m128i cell = _mm_and_si128(
                _mm_add_epi32(_mm_slli_epi32(_mm_srai_epi32(y, 16), 8), _mm_srai_epi32(x, 16)),
                cellMask);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + j * kLanes), cell);
        }
#pragma GCC unroll 8
        for (std::int32_t k = 0; k < steps * kLanes; ++k)
            heights[k] = heightmap[cells[k]];
        for (std::int32_t j = 0; j < steps; ++j) {
            const std::int32_t i = first + j;
            const __m128i lifted = _mm_slli_epi32(
                _mm_add_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(heights + j * kLanes)),
                              lift),
                5);
            const __m128i row = projectedRows(lifted, walk.rowBase[i], walk.distanceScale[i]);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(samples.rows + i * kLanes), row);

            // A sample shows above the lane's top; the top follows the minimum.
            const __m128i shows = _mm_cmpgt_epi32(top, row);
            top = _mm_or_si128(_mm_and_si128(shows, row), _mm_andnot_si128(shows, top));
            samples.shows[i] = static_cast<std::uint8_t>(_mm_movemask_ps(_mm_castsi128_ps(shows)));
            // Every lane done: no later sample can paint.
            if (_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(top, zero))) == 0) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(samples.tops), top);
                return i + 1;
            }
        }
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(samples.tops), top);
    return walk.count;
}

} // namespace terrain

#endif
