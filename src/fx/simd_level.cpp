#include "fx/simd_level.h"

namespace {

bool canRun(SimdLevel level)
{
    switch (level) {
    case SimdLevel::portable:
        return true;
    case SimdLevel::sse2:
        return KELVOR_HAS_SSE2 != 0;
    case SimdLevel::avx2:
#if KELVOR_HAS_AVX2
        // The query also checks that the system saves the wide registers.
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2");
#else
        return false;
#endif
    case SimdLevel::neon:
        return KELVOR_HAS_NEON != 0;
    }
    return false;
}

} // namespace

SimdLevel bestSimdLevel()
{
    if (canRun(SimdLevel::neon))
        return SimdLevel::neon;
    if (canRun(SimdLevel::avx2))
        return SimdLevel::avx2;
    if (canRun(SimdLevel::sse2))
        return SimdLevel::sse2;
    return SimdLevel::portable;
}

std::vector<SimdLevel> availableSimdLevels()
{
    std::vector<SimdLevel> levels;
    for (SimdLevel level : {SimdLevel::portable, SimdLevel::sse2, SimdLevel::avx2, SimdLevel::neon})
        if (canRun(level))
            levels.push_back(level);
    return levels;
}

bool setSimdLevel(SimdLevel level)
{
    if (!canRun(level))
        return false;
    simd::currentLevel() = level;
    return true;
}

const char* simdLevelName(SimdLevel level)
{
    switch (level) {
    case SimdLevel::portable:
        return "portable";
    case SimdLevel::sse2:
        return "sse2";
    case SimdLevel::avx2:
        return "avx2";
    case SimdLevel::neon:
        return "neon";
    }
    return "?";
}
