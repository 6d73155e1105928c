// The choice of lane walk per instruction set.
#include "terrain/terrain_lanes.h"

namespace terrain {

std::int32_t laneCount(SimdLevel level)
{
    switch (level) {
    case SimdLevel::sse2:
#ifdef __EMSCRIPTEN__
        // In the browser the SSE2 walk runs through the compiler's SSE2
        // headers, whose double-to-int truncation checks each element on its
        // own: the page drew its frames slower with it than with the column
        // walk (bench/RESULTS.md, the page's render time).
        return 0;
#else
        return KELVOR_HAS_SSE2 ? 4 : 0;
#endif
    case SimdLevel::avx2:
        return KELVOR_HAS_AVX2 ? 8 : 0;
    case SimdLevel::neon:
        return KELVOR_HAS_NEON ? 4 : 0;
    case SimdLevel::portable:
        break;
    }
    return 0;
}

std::int32_t walkLanes(SimdLevel level, const LaneWalk& walk, LaneSamples& samples)
{
    switch (level) {
#if KELVOR_HAS_AVX2
    case SimdLevel::avx2:
        return walkLanesAvx2(walk, samples);
#endif
#if KELVOR_HAS_SSE2
    case SimdLevel::sse2:
        return walkLanesSse2(walk, samples);
#endif
#if KELVOR_HAS_NEON
    case SimdLevel::neon:
        return walkLanesNeon(walk, samples);
#endif
    default:
        return 0;
    }
}

} // namespace terrain
