// The landscape's column walk in AVX2, eight columns per walk; compiled for
// AVX2 function by function and chosen only on processors that have it.
// AVX2 brings no fused multiply-add, so every product is rounded before its
// subtraction, as in the scalar walk.
#include "terrain/terrain_lanes.h"

#if KELVOR_HAS_AVX2

#include <immintrin.h>

#define KELVOR_AVX2 __attribute__((target("avx2")))

namespace terrain {

namespace {

constexpr std::int32_t kLanes = 8;

// trunc(base - lifted * scale) for four lanes, in double.
KELVOR_AVX2 inline __m128i projectedRows(__m128i lifted, __m256d base, __m256d scale)
{
    return _mm256_cvttpd_epi32(_mm256_sub_pd(base, _mm256_mul_pd(_mm256_cvtepi32_pd(lifted), scale)));
}

KELVOR_AVX2 inline __m256i loadLanes(const std::uint32_t* values)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(values));
}

} // namespace

KELVOR_AVX2 std::int32_t walkLanesAvx2(const LaneWalk& walk, LaneSamples& samples)
{
    __m256i x = loadLanes(walk.x);
    __m256i y = loadLanes(walk.y);
    const __m256i dx = loadLanes(walk.dx);
    const __m256i dy = loadLanes(walk.dy);
    const __m256i cellMask = _mm256_set1_epi32(0xFFFF);
    const __m256i lift = _mm256_set1_epi32(walk.smallLift);
    const __m256i zero = _mm256_setzero_si256();
    __m256i top = _mm256_set1_epi32(walk.bottomRow);
    const std::uint8_t* const heightmap = walk.heightmap;

    std::int32_t i = 0;
    while (i < walk.count) {
        x = _mm256_add_epi32(x, dx);
        y = _mm256_add_epi32(y, dy);
        const __m256i cell = _mm256_and_si256(
            _mm256_add_epi32(_mm256_slli_epi32(_mm256_srai_epi32(y, 16), 8),
                             _mm256_srai_epi32(x, 16)),
            cellMask);
        std::uint32_t* const cells = samples.cells + i * kLanes;
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(cells), cell);
        const __m256i heights = _mm256_setr_epi32(
            heightmap[cells[0]], heightmap[cells[1]], heightmap[cells[2]], heightmap[cells[3]],
            heightmap[cells[4]], heightmap[cells[5]], heightmap[cells[6]], heightmap[cells[7]]);
        const __m256i lifted = _mm256_slli_epi32(_mm256_add_epi32(heights, lift), 5);
        const __m256d base = _mm256_set1_pd(walk.rowBase[i]);
        const __m256d scale = _mm256_set1_pd(walk.distanceScale[i]);
        const __m128i lowRows = projectedRows(_mm256_castsi256_si128(lifted), base, scale);
        const __m128i highRows = projectedRows(_mm256_extracti128_si256(lifted, 1), base, scale);
        const __m256i row = _mm256_inserti128_si256(_mm256_castsi128_si256(lowRows), highRows, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(samples.rows + i * kLanes), row);

        // A sample shows above the lane's top; the top follows the minimum.
        const __m256i shows = _mm256_cmpgt_epi32(top, row);
        top = _mm256_min_epi32(top, row);
        samples.shows[i] = static_cast<std::uint8_t>(_mm256_movemask_ps(_mm256_castsi256_ps(shows)));
        ++i;
        // Every lane done: no later sample can paint.
        if (_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpgt_epi32(top, zero))) == 0)
            break;
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(samples.tops), top);
    return i;
}

} // namespace terrain

#endif
