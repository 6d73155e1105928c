// The blits, the blur and the trail at the sizes the show uses them, each
// timed as the baseline build and as the show's build on identical inputs.
#include "support/baseline/baseline.h"
#include "bench_variant.h"
#include "fx/clamp_tables.h"
#include "fx/image_blur.h"
#include "scene/scene.h"
#include "scene/show_facts.h"
#include "support/show_pictures.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kWidth = show::screenWidth;
constexpr int kHeight = show::screenHeight;
constexpr int kPixels = kWidth * kHeight;
// Cards centre one pixel up and left of the frame's middle.
constexpr float kCardX = kWidth / 2 - 1;
constexpr float kCardY = kHeight / 2 - 1;

void makePattern(Image& image, int width, int height)
{
    image.resize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels()[y * width + x] =
                static_cast<Pixel>(((x * 7) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | ((x ^ y) & 0xFF));
}

void blitFaded(Variant variant, const ClampTables& tables, float cx, float cy, float width,
               float height, float level, const Image& source, Image& target)
{
    if (variant == Variant::baseline)
        baseline::blitFaded(tables, cx, cy, width, height, level, source, target);
    else
        tables.blitFaded(cx, cy, width, height, level, source, target);
}

// 150 sprites of 16 to 67 pixels spread over the frame, as the ring draws them.
void BM_SpriteRingBlits(benchmark::State& state, Variant variant)
{
    if (!prepareVariant(state, variant))
        return;
    ClampTables tables;
    Image sprite, frame;
    makePattern(sprite, 64, 64);
    fillImage(frame, kWidth, kHeight, 0);
    for (auto _ : state) {
        for (int i = 0; i < 150; ++i) {
            const float size = 16.0f + static_cast<float>((i * 37) % 52);
            const float x = 20.0f + static_cast<float>((i * 53) % 280) + 0.3f;
            const float y = 15.0f + static_cast<float>((i * 29) % 170) + 0.7f;
            if (variant == Variant::baseline)
                baseline::blitAdditive(tables, x, y, size, size, sprite, frame);
            else
                tables.blitAdditive(x, y, size, size, sprite, frame);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_SpriteRingBlits, baseline, Variant::baseline);
BENCHMARK_CAPTURE(BM_SpriteRingBlits, portable, Variant::portable);
BENCHMARK_CAPTURE(BM_SpriteRingBlits, sse2, Variant::sse2);
BENCHMARK_CAPTURE(BM_SpriteRingBlits, avx2, Variant::avx2);

// A title card drawn through the faded blit onto the 320x200 frame.
struct CardShot {
    int cardWidth, cardHeight;
    float width, height, level;
};

void BM_CardBlit(benchmark::State& state, Variant variant, CardShot shot)
{
    if (!prepareVariant(state, variant))
        return;
    ClampTables tables;
    Image card, frame;
    makePattern(card, shot.cardWidth, shot.cardHeight);
    fillImage(frame, kWidth, kHeight, 0);
    for (auto _ : state) {
        blitFaded(variant, tables, kCardX, kCardY, shot.width, shot.height, shot.level, card, frame);
        benchmark::ClobberMemory();
    }
}
// The tall card stretched over the whole frame at a fading level.
constexpr CardShot kFadedFullScreen{526, 222, 862.0f, 300.0f, 0.5f};
BENCHMARK_CAPTURE(BM_CardBlit, faded_full_screen_baseline, Variant::baseline, kFadedFullScreen);
BENCHMARK_CAPTURE(BM_CardBlit, faded_full_screen_portable, Variant::portable, kFadedFullScreen);
BENCHMARK_CAPTURE(BM_CardBlit, faded_full_screen_sse2, Variant::sse2, kFadedFullScreen);
BENCHMARK_CAPTURE(BM_CardBlit, faded_full_screen_avx2, Variant::avx2, kFadedFullScreen);
// The first card early in its zoom: at full level (the additive path), its
// 37 rows stretched over 120, so every source row serves three target rows.
constexpr CardShot kFullLevelZoom{522, 37, 1740.0f, 120.0f, 1.0f};
BENCHMARK_CAPTURE(BM_CardBlit, full_level_zoom_baseline, Variant::baseline, kFullLevelZoom);
BENCHMARK_CAPTURE(BM_CardBlit, full_level_zoom_portable, Variant::portable, kFullLevelZoom);
BENCHMARK_CAPTURE(BM_CardBlit, full_level_zoom_sse2, Variant::sse2, kFullLevelZoom);
BENCHMARK_CAPTURE(BM_CardBlit, full_level_zoom_avx2, Variant::avx2, kFullLevelZoom);

// One blur pass over a title card (cards 1 and 5 blur every frame of their
// last stretch) and over the terrain picture (twice at start-up).
void BM_BlurPass(benchmark::State& state, Variant variant)
{
    if (!prepareVariant(state, variant))
        return;
    ImageBlur blurrer;
    Image picture;
    makePattern(picture, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        if (variant == Variant::baseline)
            baseline::blur(picture);
        else
            blurrer.blur(picture);
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_BlurPass, baseline, Variant::baseline)->Args({522, 37})->Args({256, 256});
BENCHMARK_CAPTURE(BM_BlurPass, optimised, Variant::optimised)->Args({522, 37})->Args({256, 256});

// The feedback trail over a 320x200 frame: the baseline loop and copy, and
// the scene's own blend.
void BM_TrailBlend(benchmark::State& state, Variant variant)
{
    if (!prepareVariant(state, variant))
        return;
    static const TemporaryFolder folder;
    static const bool written = [] { writeShowPictures(folder.path()); return true; }();
    (void)written;
    Scene scene;
    scene.setup(kWidth, kHeight, folder.path());
    Image frame, previous;
    frame.resize(kWidth, kHeight);
    previous.resize(kWidth, kHeight);
    for (int i = 0; i < kPixels; ++i) {
        frame.pixels()[i] = static_cast<Pixel>(i * 2654435761u) & 0xFFFFFF;
        previous.pixels()[i] = static_cast<Pixel>(i * 40503u) & 0xFFFFFF;
    }
    for (auto _ : state) {
        if (variant == Variant::baseline)
            baseline::blendTrail(frame.pixels(), previous.pixels(), kPixels);
        else
            scene.blendWithPreviousFrame(frame);
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_TrailBlend, baseline, Variant::baseline);
BENCHMARK_CAPTURE(BM_TrailBlend, portable, Variant::portable);
BENCHMARK_CAPTURE(BM_TrailBlend, sse2, Variant::sse2);
BENCHMARK_CAPTURE(BM_TrailBlend, avx2, Variant::avx2);

} // namespace
