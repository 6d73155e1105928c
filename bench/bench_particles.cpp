// The particle field as the scene uses it: extent 400, 6000 particles, drawn
// onto a cleared 320x200 frame and then shifted, once per frame; the
// baseline draw and the show's draw each on their own copy of the same cloud.
#include "support/baseline/baseline.h"
#include "bench_variant.h"
#include "fx/shade_tables.h"
#include "image/image.h"
#include "particles/particle_field.h"
#include "particles/random15.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

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
    frame.resize(320, 200);
    float t = 0.0f;
    for (auto _ : state) {
        std::fill(frame.pixels(), frame.pixels() + 320 * 200, 0u);
        draw(variant, field, shades, frame);
        benchmark::ClobberMemory();
        // The scene's drift: clock delta 0.01 per frame.
        t += 0.01f;
        field.shift(static_cast<float>(std::sin(t * 0.05) * 0.25),
                    static_cast<float>(std::cos(t * 0.2) * 0.15),
                    static_cast<float>(std::sin(t * 0.1) * 0.25));
    }
    benchmark::DoNotOptimize(frame.pixels()[100 * 320 + 160]);
    state.SetItemsProcessed(state.iterations() * field.count());
    setRandomState(savedRandom);
}
BENCHMARK_CAPTURE(BM_ParticleFieldDraw, baseline, Variant::baseline);
BENCHMARK_CAPTURE(BM_ParticleFieldDraw, portable, Variant::portable);
BENCHMARK_CAPTURE(BM_ParticleFieldDraw, sse2, Variant::sse2);
BENCHMARK_CAPTURE(BM_ParticleFieldDraw, avx2, Variant::avx2);

} // namespace
