// The particle field drawn in chunks (strays found in a vectorised pass,
// projection with no branch, packed glow amounts) against the particle by
// particle loop: the same frames, the same points and the same draws from the
// generator, frame after frame.
#include "support/baseline/baseline.h"
#include "particles/random15.h"
#include "random_inputs.h"
#include "support/screen_size.h"
#include "support/simd_levels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

struct FieldCase {
    std::int32_t extent;
    std::int32_t count;
    std::int32_t width;
    std::int32_t height;
    float drift; // the largest shift per frame and axis
};

class ParticleEquivalence : public ::testing::TestWithParam<SimdLevel> {
protected:
    ScopedSimdLevel level{GetParam()};
    // Two fields made from the same generator state, drawn frame after frame
    // by the two builds, each from the same generator state.
    void expectSameFrames(const FieldCase& c, int frames, bool strange = false)
    {
        setRandomState(1);
        ParticleField ours(c.extent, c.count);
        setRandomState(1);
        ParticleField theirs(c.extent, c.count);
        if (strange)
            makeStrange(ours, theirs);

        RandomInputs random(static_cast<std::uint32_t>(c.count + c.width));
        for (int k = 0; k < frames; ++k) {
            Image ourFrame, theirFrame;
            random.fill(ourFrame, c.width, c.height);
            theirFrame.resize(c.width, c.height);
            ourFrame.copyPixelsTo(theirFrame.pixels());

            const std::uint32_t before = randomState();
            baseline::drawParticles(theirs, shades, theirFrame);
            const std::uint32_t theirState = randomState();
            setRandomState(before);
            ours.draw(shades, ourFrame);
            ASSERT_EQ(randomState(), theirState) << "frame " << k;
            ASSERT_TRUE(samePixels(ourFrame, theirFrame)) << "frame " << k;
            ASSERT_EQ(std::memcmp(ours.points(), theirs.points(),
                                  sizeof(Particle) * static_cast<std::size_t>(ours.count())),
                      0)
                << "frame " << k;

            const float dx = random.between(-c.drift, c.drift);
            const float dy = random.between(-c.drift, c.drift);
            const float dz = random.between(-c.drift, c.drift);
            ours.shift(dx, dy, dz);
            theirs.shift(dx, dy, dz);
        }
    }

    // Points no shift makes: not a number, infinite, on the box's faces.
    static void makeStrange(ParticleField& a, ParticleField& b)
    {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        const Particle strange[] = {{nan, 0, 50}, {0, nan, 50}, {0, 0, nan},  {inf, 0, 50},
                                    {0, -inf, 50}, {0, 0, inf}, {0, 0, -inf}, {400, -400, 1},
                                    {0, 0, 0},     {1e30f, 1e30f, 1e-30f}};
        for (std::size_t i = 0; i < sizeof strange / sizeof strange[0]; ++i) {
            a.points()[i * 7] = strange[i];
            b.points()[i * 7] = strange[i];
        }
    }

    ShadeTables shades;
    std::uint32_t savedState = randomState();
    void TearDown() override { setRandomState(savedState); }
};

TEST_P(ParticleEquivalence, TheShowsFieldOverManyFramesOfDrift)
{
    expectSameFrames({400, 6000, kWidth, kHeight, 0.5f}, 60);
}

// Large shifts send many points across the box's faces at once, so many
// are respawned from the generator in every chunk.
TEST_P(ParticleEquivalence, FastDriftWrapsManyPoints)
{
    expectSameFrames({400, 6000, kWidth, kHeight, 150.0f}, 20);
    expectSameFrames({50, 700, kWidth, kHeight, 40.0f}, 20);
}

TEST_P(ParticleEquivalence, ChunkEdgesSmallBoxesAndOddFrames)
{
    for (std::int32_t count : {1, 255, 256, 257, 513}) {
        SCOPED_TRACE(count);
        expectSameFrames({400, count, kWidth, kHeight, 3.0f}, 5);
    }
    const FieldCase cases[] = {
        {1, 300, kWidth, kHeight, 2.0f},  {3, 300, 64, 40, 2.0f},          {400, 600, 4, 4, 1.0f},
        {400, 600, 3, kHeight, 1.0f},     {400, 600, kWidth, 3, 1.0f},     {400, 600, 5, 7, 1.0f},
        {400, 2000, 1500, 900, 1.0f},     {100000, 600, kWidth, kHeight, 5000.0f},
        {0, 300, kWidth, kHeight, 2.0f},  {-5, 300, kWidth, kHeight, 2.0f},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.extent << " " << c.width << "x" << c.height);
        expectSameFrames(c, 5);
    }
}

TEST_P(ParticleEquivalence, PointsThatAreNotNumbersOrInfinite)
{
    expectSameFrames({400, 300, kWidth, kHeight, 1.0f}, 4, true);
}

INSTANTIATE_TEST_SUITE_P(EveryPath, ParticleEquivalence, ::testing::ValuesIn(availableSimdLevels()),
                         simdLevelTestName);

} // namespace
