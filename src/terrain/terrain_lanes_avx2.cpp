// The landscape's column walk in AVX2, eight columns per walk; compiled for
// AVX2 function by function and chosen only on processors that have it.
// AVX2 brings no fused multiply-add, so every product is rounded before its
// subtraction, as in the scalar walk.
#include "terrain/terrain_lanes.h"

#if KELVOR_HAS_AVX2

#include <immintrin.h>

#include <algorithm>

#define KELVOR_AVX2 __attribute__((target("avx2")))

namespace terrain {

namespace {

constexpr std::int32_t kLanes = 8;
// Samples walked per block.
constexpr std::int32_t kBlockSteps = 32;

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

    // A block of samples at a time: the cells, then their heights one load
    // after another (no lane inserts), then the rows and the running top.
    alignas(32) std::int32_t heights[kBlockSteps * kLanes];
    for (std::int32_t first = 0; first < walk.count; first += kBlockSteps) {
        const std::int32_t steps = std::min(kBlockSteps, walk.count - first);
        std::uint32_t* const cells = samples.cells + first * kLanes;
        for (std::int32_t j = 0; j < steps; ++j) {
            x = _mm256_add_epi32(x, dx);
            y = _mm256_add_epi32(y, dy);
            const __m256i cell = _mm256_and_si256(
                _mm256_add_epi32(_mm256_slli_epi32(_mm256_srai_epi32(y, 16), 8),
                                 _mm256_srai_epi32(x, 16)),
                cellMask);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(cells + j * kLanes), cell);
        }
#pragma GCC unroll 8
        for (std::int32_t k = 0; k < steps * kLanes; ++k)
            heights[k] = heightmap[cells[k]];
        for (std::int32_t j = 0; j < steps; ++j) {
            const std::int32_t i = first + j;
            const __m256i lifted = _mm256_slli_epi32(
                _mm256_add_epi32(_mm256_load_si256(reinterpret_cast<const __m256i*>(heights + j * kLanes)),
                                 lift),
                5);
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
            // Every lane done: no later sample can paint.
            if (_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpgt_epi32(top, zero))) == 0) {
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(samples.tops), top);
                return i + 1;
            }
        }
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(samples.tops), top);
    return walk.count;
}

} // namespace terrain

#endif
