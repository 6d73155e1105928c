// Which instruction set the pixel loops use. The portable code runs
// everywhere and is the reference; SSE2 (every x86-64 processor, and
// WebAssembly SIMD through the browser compiler's SSE2 headers), AVX2
// (chosen only when the processor has it) and NEON (every 64-bit ARM
// processor) give the very same pixels. The
// level is picked once from the processor's features; tests and benchmarks
// may set a lower one to exercise each path.
#pragma once

#include <vector>

enum class SimdLevel { portable, sse2, avx2, neon };

// The best level this build and this processor can run.
SimdLevel bestSimdLevel();

namespace simd {

// The level in use now, the best one until told otherwise.
inline SimdLevel& currentLevel()
{
    static SimdLevel level = bestSimdLevel();
    return level;
}

} // namespace simd

inline SimdLevel simdLevel() { return simd::currentLevel(); }

// Every level this build and this processor can run, lowest first.
std::vector<SimdLevel> availableSimdLevels();

// Switches to the level; refuses (false, level unchanged) one the processor
// or the build cannot run.
bool setSimdLevel(SimdLevel level);

const char* simdLevelName(SimdLevel level);

// Compile-time switches for the paths a build contains. AVX2 exists only on
// x86 (function target attributes and the processor-feature query); SSE2
// wherever the compiler provides its intrinsics; NEON on 64-bit ARM, where
// every processor has it.
#if defined(__SSE2__)
#define KELVOR_HAS_SSE2 1
#else
#define KELVOR_HAS_SSE2 0
#endif
#if (defined(__x86_64__) || defined(__i386__)) && KELVOR_HAS_SSE2 && \
    (defined(__GNUC__) || defined(__clang__))
#define KELVOR_HAS_AVX2 1
#else
#define KELVOR_HAS_AVX2 0
#endif
#if defined(__aarch64__) && defined(__ARM_NEON)
#define KELVOR_HAS_NEON 1
#else
#define KELVOR_HAS_NEON 0
#endif
