// How late the live tick count's sleep returns: the frame wait sleeps until
// a margin before a frame period ends and polls the tick count for the rest,
// so the margin has to cover the usual lateness of a wake. Each iteration
// finds the start of a millisecond by polling, sleeps until 2.5 ms past it
// (a moment within a millisecond, as the wait's are) and notes how long
// after that moment the sleep returned. Reported in microseconds: mean,
// median, 90th and 99th percentile, the largest, and the share of wakes
// later than the frame wait's half-millisecond margin. Run it on an idle
// machine and beside other work.
#include "platform/tick_count.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double sleepAhead = 2.5;
constexpr double frameWaitMargin = 500.0; // microseconds

// Polls until the tick count moves on; returns the new count and the moment.
std::uint32_t startOfNextTick(Clock::time_point& moment)
{
    const std::uint32_t first = tickCount();
    std::uint32_t tick = first;
    while (tick == first)
        tick = tickCount();
    moment = Clock::now();
    return tick;
}

double percentile(std::vector<double> sorted, double share)
{
    return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(share * static_cast<double>(sorted.size())))];
}

void BM_SleepUntilTickLateness(benchmark::State& state)
{
    std::vector<double> lateness;
    for (auto _ : state) {
        Clock::time_point tickStart;
        const std::uint32_t tick = startOfNextTick(tickStart);
        sleepUntilTick(tick + sleepAhead);
        const Clock::time_point woke = Clock::now();
        const auto due = tickStart + std::chrono::duration<double, std::milli>(sleepAhead);
        lateness.push_back(std::chrono::duration<double, std::micro>(woke - due).count());
    }
    std::sort(lateness.begin(), lateness.end());
    double sum = 0;
    for (double late : lateness)
        sum += late;
    const auto beyondMargin = std::count_if(lateness.begin(), lateness.end(),
                                            [](double late) { return late > frameWaitMargin; });
    state.counters["mean_us"] = sum / static_cast<double>(lateness.size());
    state.counters["median_us"] = percentile(lateness, 0.5);
    state.counters["p90_us"] = percentile(lateness, 0.9);
    state.counters["p99_us"] = percentile(lateness, 0.99);
    state.counters["max_us"] = lateness.back();
    state.counters["beyond_margin_pct"] = 100.0 * static_cast<double>(beyondMargin) / static_cast<double>(lateness.size());
}
BENCHMARK(BM_SleepUntilTickLateness)->Iterations(2000)->Unit(benchmark::kMillisecond);

} // namespace
