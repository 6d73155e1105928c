// Scene::render per frame over frames 1..8100 (every title card and one cycle
// restart), single thread, with the test pictures and the frame clock fed one
// millisecond per reading, exactly as the capture tool renders. Each frame is
// timed by the wall clock and by the thread's processor time, which other
// work on a shared machine disturbs less.
#include "app/demo_clock.h"
#include "bench_variant.h"
#include "particles/random15.h"
#include "scene/scene.h"
#include "scene/show_facts.h"
#include "support/show_pictures.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <time.h>
#include <vector>

namespace {

double threadMicroseconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Mean and median of per-frame times, as benchmark counters.
void reportFrames(benchmark::State& state, const std::string& name, std::vector<double> times)
{
    double sum = 0;
    for (double t : times)
        sum += t;
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    state.counters["mean_" + name] = sum / static_cast<double>(times.size());
    state.counters["median_" + name] = times[times.size() / 2];
}

void BM_SceneRenderShowCycle(benchmark::State& state, Variant variant)
{
    if (!prepareVariant(state, variant))
        return;
    const TemporaryFolder temporary;
    const std::string& folder = temporary.path();
    writeShowPictures(folder);
    std::vector<double> perFrame;
    std::vector<double> perFrameProcessor;
    for (auto _ : state) {
        setRandomState(1);
        Scene scene;
        scene.setup(show::screenWidth, show::screenHeight, folder);
        Image frame;
        frame.resize(show::screenWidth, show::screenHeight);
        DemoClock clock;
        perFrame.clear();
        perFrameProcessor.clear();
        for (int k = 1; k <= 8100; ++k) {
            clock.update();
            const double processorStart = threadMicroseconds();
            const auto start = std::chrono::steady_clock::now();
            scene.render(clock.getTime(), clock.getDelta(), frame);
            const auto end = std::chrono::steady_clock::now();
            perFrameProcessor.push_back(threadMicroseconds() - processorStart);
            perFrame.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        benchmark::DoNotOptimize(frame.pixels()[0]);
    }
    reportFrames(state, "us_per_frame", perFrame);
    reportFrames(state, "cpu_us_per_frame", perFrameProcessor);
}
BENCHMARK_CAPTURE(BM_SceneRenderShowCycle, portable, Variant::portable)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneRenderShowCycle, sse2, Variant::sse2)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneRenderShowCycle, avx2, Variant::avx2)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// What the show does before its window opens: the scene's construction
// (tables, terrain tables, the particle field's 18000 draws) and its set-up
// for 320x200 (the seven pictures, the pristine copies, the load-time blurs,
// the heightmap). The scene's destruction is not timed.
void BM_ShowStartUp(benchmark::State& state)
{
    const TemporaryFolder temporary;
    const std::string& folder = temporary.path();
    writeShowPictures(folder);
    for (auto _ : state) {
        setRandomState(1);
        const auto start = std::chrono::steady_clock::now();
        std::unique_ptr<Scene> scene(new Scene);
        const bool ready = scene->setup(show::screenWidth, show::screenHeight, folder);
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ready);
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_ShowStartUp)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
