// The scaled blits: source column offsets worked out once per call, sampled
// rows reused, packed saturating adds, against the per-pixel table walk.
#include "support/baseline/baseline.h"
#include "random_inputs.h"
#include "scene/show_facts.h"
#include "support/simd_levels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

struct Placement {
    float cx, cy, width, height, level;
};

class BlitEquivalence : public ::testing::TestWithParam<SimdLevel> {
protected:
    ScopedSimdLevel level{GetParam()};
    // Draws the source at p onto two copies of target, one per build, and
    // requires the same result; level < 0 asks for the additive blit.
    void expectSame(const Image& source, const Image& target, const Placement& p)
    {
        Image ours, theirs;
        copy(target, ours);
        copy(target, theirs);
        if (p.level < 0) {
            tables.blitAdditive(p.cx, p.cy, p.width, p.height, source, ours);
            baseline::blitAdditive(tables, p.cx, p.cy, p.width, p.height, source, theirs);
        } else {
            tables.blitFaded(p.cx, p.cy, p.width, p.height, p.level, source, ours);
            baseline::blitFaded(tables, p.cx, p.cy, p.width, p.height, p.level, source, theirs);
        }
        ASSERT_TRUE(samePixels(ours, theirs))
            << "source " << source.width() << "x" << source.height() << " target "
            << target.width() << "x" << target.height() << " at " << p.cx << "," << p.cy
            << " size " << p.width << "x" << p.height << " level " << p.level;
    }

    static void copy(const Image& from, Image& to)
    {
        to.resize(from.width(), from.height());
        from.copyPixelsTo(to.pixels());
    }

    ClampTables tables;
    RandomInputs random{20240601u};
};

TEST_P(BlitEquivalence, RandomPlacementsSizesAndLevels)
{
    for (int round = 0; round < 400; ++round) {
        Image source, target;
        random.fill(source, random.between(1, 600), random.between(1, 240));
        // Some targets wider than the blits' column chunk.
        random.fill(target, random.between(1, random.chance(20) ? 1300 : 330), random.between(1, 210));
        const float tw = static_cast<float>(target.width());
        const float th = static_cast<float>(target.height());
        Placement p{random.between(-tw, 2 * tw), random.between(-th, 2 * th),
                    random.between(0.5f, 3 * tw + 40), random.between(0.5f, 3 * th + 40),
                    random.chance(30) ? -1.0f : random.between(-0.3f, 1.3f)};
        expectSame(source, target, p);
    }
}

// Edges on whole numbers make the walk reach one past the last source column
// and row, which repeat the last ones; the faded blit walks one less.
TEST_P(BlitEquivalence, WholeNumberEdgesAndExactLevels)
{
    Image sprite, card, frame;
    random.fill(sprite, 64, 64);
    random.fill(card, 522, 37);
    random.fill(frame, show::screenWidth, show::screenHeight);
    // Cards centre one pixel up and left of the frame's middle.
    const float cardX = static_cast<float>(show::screenWidth / 2 - 1);
    const float cardY = static_cast<float>(show::screenHeight / 2 - 1);
    for (float size : {16.0f, 32.0f, 63.0f, 64.0f, 128.0f, 200.0f, 317.0f}) {
        for (float level : {-1.0f, 0.0f, 0.5f, 1.0f, 1.0f / 255.0f, 254.5f / 255.0f}) {
            expectSame(sprite, frame, {100.0f, 80.0f, size, size, level});
            expectSame(sprite, frame, {0.0f, 0.0f, size, size, level});
            expectSame(card, frame, {cardX, cardY, size * 3, size / 2, level});
        }
    }
    // The first card at the start of its zoom, much larger than the frame.
    expectSame(card, frame, {cardX, cardY, 5220.0f / 0.03f, 370.0f / 0.06f, 0.005f});

    // Targets wider than a column chunk, where every row samples the same
    // source row: each chunk samples columns of its own.
    Image strip, wide;
    random.fill(strip, 700, 1);
    random.fill(wide, 1300, 50);
    for (float level : {-1.0f, 0.4f})
        expectSame(strip, wide, {650.0f, 25.0f, 1800.0f, 30.0f, level});
}

TEST_P(BlitEquivalence, DegenerateGeometry)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Image source, target;
    random.fill(source, 7, 5);
    random.fill(target, 40, 30);
    const Placement cases[] = {
        {nan, 10, 20, 20, 1},   {10, nan, 20, 20, 1},   {10, 10, nan, 20, 1},  {10, 10, 20, inf, 1},
        {-inf, 10, 20, 20, 1},  {inf, 10, inf, 20, 1},  {10, 10, 20, 20, nan}, {10, 10, 20, 20, inf},
        {10, 10, 0.99f, 20, 1}, {10, 10, 1e30f, 1e30f, 0.7f}, {-1e9f, -1e9f, 3e9f, 3e9f, -1},
        {39.5f, 29.5f, 1, 1, -1}, {0.5f, 0.5f, 1, 1, 0.25f},
    };
    for (const Placement& p : cases)
        expectSame(source, target, p);

    // Images without pixels on either side draw nothing in both builds.
    Image empty;
    expectSame(empty, target, {10, 10, 20, 20, -1});
    expectSame(source, empty, {10, 10, 20, 20, 0.5f});
}

INSTANTIATE_TEST_SUITE_P(EveryPath, BlitEquivalence, ::testing::ValuesIn(availableSimdLevels()),
                         simdLevelTestName);

} // namespace
