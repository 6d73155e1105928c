// Which build of an effect a benchmark times: the straightforward baseline,
// or the show's own, either at the best instruction set of this processor
// (optimised) or at a chosen one (portable, sse2, avx2).
#pragma once

#include "fx/simd_level.h"

#include <benchmark/benchmark.h>

enum class Variant { baseline, optimised, portable, sse2, avx2 };

// Switches the show's effects to the variant's instruction set. A variant
// this processor or build cannot run is reported as skipped (false).
inline bool prepareVariant(benchmark::State& state, Variant variant)
{
    SimdLevel level = bestSimdLevel();
    if (variant == Variant::portable)
        level = SimdLevel::portable;
    else if (variant == Variant::sse2)
        level = SimdLevel::sse2;
    else if (variant == Variant::avx2)
        level = SimdLevel::avx2;
    if (setSimdLevel(level))
        return true;
    state.SkipWithError("instruction set not available here");
    return false;
}
