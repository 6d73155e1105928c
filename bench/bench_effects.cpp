// The blits, the blur and the trail at the sizes the show uses them.
#include "fx/clamp_tables.h"
#include "fx/image_blur.h"
#include "support/test_pictures.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

void makePattern(Image& image, int width, int height)
{
    image.resize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels()[y * width + x] =
                static_cast<Pixel>(((x * 7) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | ((x ^ y) & 0xFF));
}

// 150 sprites of 16 to 67 pixels spread over the frame, as the ring draws them.
void BM_SpriteRingBlits(benchmark::State& state)
{
    ClampTables tables;
    Image sprite, frame;
    makePattern(sprite, 64, 64);
    fillImage(frame, 320, 200, 0);
    for (auto _ : state) {
        for (int i = 0; i < 150; ++i) {
            const float size = 16.0f + static_cast<float>((i * 37) % 52);
            tables.blitAdditive(20.0f + static_cast<float>((i * 53) % 280) + 0.3f,
                                15.0f + static_cast<float>((i * 29) % 170) + 0.7f, size, size,
                                sprite, frame);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SpriteRingBlits);

// The tall title card stretched over the whole frame at a fading level.
void BM_FadedBlitFullScreen(benchmark::State& state)
{
    ClampTables tables;
    Image card, frame;
    makePattern(card, 526, 222);
    fillImage(frame, 320, 200, 0);
    for (auto _ : state) {
        tables.blitFaded(159.0f, 99.0f, 862.0f, 300.0f, 0.5f, card, frame);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FadedBlitFullScreen);

void BM_BlurTitlePass(benchmark::State& state)
{
    ImageBlur blurrer;
    Image card;
    makePattern(card, 522, 37);
    for (auto _ : state) {
        blurrer.blur(card);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlurTitlePass);

// The feedback trail over a 320x200 frame, written as the scene does it.
void BM_TrailBlend(benchmark::State& state)
{
    std::vector<Pixel> frame(64000), previous(64000);
    for (int i = 0; i < 64000; ++i) {
        frame[i] = static_cast<Pixel>(i * 2654435761u) & 0xFFFFFF;
        previous[i] = static_cast<Pixel>(i * 40503u) & 0xFFFFFF;
    }
    for (auto _ : state) {
        for (int i = 0; i < 64000; ++i)
            frame[i] = ((frame[i] >> 1) & 0x7F7F7Fu) + ((previous[i] >> 1) & 0x7F7F7Fu);
        std::memcpy(previous.data(), frame.data(), 64000 * sizeof(Pixel));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TrailBlend);

} // namespace
