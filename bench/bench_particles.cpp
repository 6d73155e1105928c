// The particle field as the scene uses it: extent 400, 6000 particles, drawn
// onto a cleared 320x200 frame and then shifted, once per frame; the
// baseline draw and the show's draw each on their own copy of the same cloud.
#include "support/baseline/baseline.h"
#include "bench_variant.h"
#include "fx/shade_tables.h"
#include "image/image.h"
#include "particles/particle_field.h"
#include "particles/random15.h"
#include "scene/show_facts.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kWidth = show::screenWidth;
constexpr int kHeight = show::screenHeight;

void draw(Variant variant, ParticleField& field, const ShadeTables& shades, Image& frame)
{
    if (variant == Variant::baseline)
        baseline::drawParticles(field, shades, frame);
    else
        field.draw(shades, frame);
}

void BM_ParticleFieldDraw(benchmark::State& state, Variant variant)
{
    if (!prepareVariant(state, variant))
        return;
    const std::uint32_t savedRandom = randomState();
    setRandomState(1);
    ShadeTables shades;
    ParticleField field(400, 6000);
    Image frame;
    frame.resize(kWidth, kHeight);
    float t = 0.0f;
    for (auto _ : state) {
        std::fill(frame.pixels(), frame.pixels() + kWidth * kHeight, 0u);
        draw(variant, field, shades, frame);
        benchmark::ClobberMemory();
        // The scene's drift: one clock step per frame.
        t += show::clockStep;
        field.shift(static_cast<float>(std::sin(t * 0.05) * 0.25),
                    static_cast<float>(std::cos(t * 0.2) * 0.15),
                    static_cast<float>(std::sin(t * 0.1) * 0.25));
    }
    benchmark::DoNotOptimize(frame.pixels()[kHeight / 2 * kWidth + kWidth / 2]);
    state.SetItemsProcessed(state.iterations() * field.count());
    setRandomState(savedRandom);
}
BENCHMARK_CAPTURE(BM_ParticleFieldDraw, baseline, Variant::baseline);
BENCHMARK_CAPTURE(BM_ParticleFieldDraw, portable, Variant::portable);
BENCHMARK_CAPTURE(BM_ParticleFieldDraw, sse2, Variant::sse2);
BENCHMARK_CAPTURE(BM_ParticleFieldDraw, avx2, Variant::avx2);

} // namespace
