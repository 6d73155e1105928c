// What the memory of this machine can move, to set the frame's figures
// against: a 320x200 frame cleared (the frame's first step), the trail's
// traffic (two frames read, two written), and the same over buffers far
// larger than the caches. Reported as bytes per second.
#include "scene/show_facts.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::int64_t frameBytes = std::int64_t{show::screenWidth} * show::screenHeight * 4;

void BM_MemoryClear(benchmark::State& state)
{
    const std::size_t bytes = static_cast<std::size_t>(state.range(0));
    std::vector<std::uint8_t> buffer(bytes, 1);
    for (auto _ : state) {
        std::memset(buffer.data(), 0, bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes));
}
// One frame (256 KB), and 64 MB.
BENCHMARK(BM_MemoryClear)->Arg(frameBytes)->Arg(64 << 20);

// Reads two buffers and writes both, as the trail does: four times the
// buffer's bytes move per pass.
void BM_MemoryTrailTraffic(benchmark::State& state)
{
    const std::size_t count = static_cast<std::size_t>(state.range(0)) / 4;
    std::vector<std::uint32_t> a(count, 3u), b(count, 5u);
    for (auto _ : state) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t sum = a[i] + b[i];
            a[i] = sum;
            b[i] = sum;
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 4 *
                            static_cast<std::int64_t>(count * 4));
}
BENCHMARK(BM_MemoryTrailTraffic)->Arg(frameBytes)->Arg(64 << 20);

} // namespace
