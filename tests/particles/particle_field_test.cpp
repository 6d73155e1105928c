#include "particles/particle_field.h"

#include "fx/glow_brush.h"
#include "fx/shade_tables.h"
#include "image/image.h"
#include "particles/random15.h"
#include "support/screen_size.h"
#include "support/random_state_guard.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// The depth a respawn would draw from the given state: (r mod E) + 1.
float respawnDepthFrom(std::uint32_t state, std::int32_t extent, int skip = 0)
{
    const std::uint32_t saved = randomState();
    setRandomState(state);
    for (int i = 0; i < skip; ++i)
        nextRandom();
    const std::int32_t r = nextRandom();
    setRandomState(saved);
    return static_cast<float>(r % extent + 1);
}

class ParticleFieldTest : public ::testing::Test {
protected:
    void SetUp() override { setRandomState(1); }

    // A field of count particles whose positions the test then sets.
    static void place(ParticleField& field, std::int32_t i, float x, float y, float z)
    {
        field.points()[i] = Particle{x, y, z};
    }

    // Draws the field onto a black 320x200 frame and, separately, stamps the
    // expected blocks with a GlowBrush; the two frames must be equal.
    struct Stamp {
        std::int32_t x, y, intensity;
    };
    void expectDrawnAs(ParticleField& field, const std::vector<Stamp>& stamps,
                       std::int32_t width = kWidth, std::int32_t height = kHeight)
    {
        Image frame, expected;
        fillImage(frame, width, height, 0);
        fillImage(expected, width, height, 0);
        field.draw(shades, frame);
        for (const Stamp& s : stamps)
            brush.stamp(s.x, s.y, shades, s.intensity, expected);
        for (std::int32_t i = 0; i < width * height; ++i)
            ASSERT_EQ(frame.pixels()[i], expected.pixels()[i])
                << "pixel (" << i % width << ", " << i / width << ")";
    }

    RandomStateGuard guard;
    ShadeTables shades;
    GlowBrush brush;
};

} // namespace

TEST_F(ParticleFieldTest, ConstructionDrawsXYZFromTheUnseededGenerator)
{
    ParticleField field(400, 6000);
    EXPECT_EQ(field.count(), 6000);
    EXPECT_EQ(field.extent(), 400);
    const Particle* p = field.points();
    EXPECT_EQ(p[0].x, -318.0f);
    EXPECT_EQ(p[0].y, -266.0f);
    EXPECT_EQ(p[0].z, 334.0f);
    EXPECT_EQ(p[1].x, -200.0f);
    EXPECT_EQ(p[1].y, 338.0f);
    EXPECT_EQ(p[1].z, 124.0f);
    EXPECT_EQ(p[2].x, 156.0f);
    EXPECT_EQ(p[2].y, -84.0f);
    EXPECT_EQ(p[2].z, 162.0f);

    // Exactly 18000 draws.
    const std::uint32_t after = randomState();
    setRandomState(1);
    for (int i = 0; i < 18000; ++i)
        nextRandom();
    EXPECT_EQ(after, randomState());
    EXPECT_EQ(after, 0xDB01D711u); // from tests/particles/reference_model.py
}

TEST_F(ParticleFieldTest, InitialPositionsAreEvenWholeNumbersInTheBox)
{
    ParticleField field(400, 6000);
    bool sawZeroDepth = false;
    for (std::int32_t i = 0; i < field.count(); ++i) {
        const Particle& p = field.points()[i];
        for (float v : {p.x, p.y}) {
            ASSERT_GE(v, -400.0f);
            ASSERT_LE(v, 398.0f);
            ASSERT_EQ(std::fmod(v, 2.0f), 0.0f);
        }
        ASSERT_GE(p.z, 0.0f);
        ASSERT_LE(p.z, 399.0f);
        ASSERT_EQ(p.z, std::floor(p.z));
        sawZeroDepth = sawZeroDepth || p.z == 0.0f;
    }
    EXPECT_TRUE(sawZeroDepth);
}

TEST_F(ParticleFieldTest, ConstructionFollowsTheFormulaForAnyExtent)
{
    setRandomState(0xCAFEF00Du);
    ParticleField field(37, 50);
    setRandomState(0xCAFEF00Du);
    for (int i = 0; i < 50; ++i) {
        const float x = static_cast<float>(2 * (nextRandom() % 37) - 37);
        const float y = static_cast<float>(2 * (nextRandom() % 37) - 37);
        const float z = static_cast<float>(nextRandom() % 37);
        EXPECT_EQ(field.points()[i].x, x);
        EXPECT_EQ(field.points()[i].y, y);
        EXPECT_EQ(field.points()[i].z, z);
    }
}

TEST_F(ParticleFieldTest, ProjectsTheSpecExample)
{
    ParticleField field(400, 1);
    place(field, 0, 100.0f, 50.0f, 256.0f);
    // intensity = trunc(25600 / 256 - 255) = -155
    expectDrawnAs(field, {{kWidth / 2 + 100, kHeight / 2 + 50, -155}});
}

TEST_F(ParticleFieldTest, BrightnessFallsWithDepthAndIsNeverPositive)
{
    struct Case {
        float z;
        std::int32_t intensity;
    };
    const Case cases[] = {{2.0f, 0}, {50.0f, 0}, {100.0f, 0}, {101.0f, -1},
                          {200.0f, -127}, {300.0f, -169}, {400.0f, -191}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.z);
        ParticleField field(400, 1);
        place(field, 0, 0.0f, 0.0f, c.z);
        expectDrawnAs(field, {{kWidth / 2, kHeight / 2, c.intensity}});
    }
}

TEST_F(ParticleFieldTest, NearEndOrNearerGoesToTheFarEnd)
{
    for (float z : {1.0f, 0.0f, 0.5f, -3.0f, -1.0e30f, std::numeric_limits<float>::quiet_NaN(),
                    -std::numeric_limits<float>::infinity()}) {
        SCOPED_TRACE(z);
        ParticleField field(400, 1);
        place(field, 0, 0.0f, 0.0f, z);
        const std::uint32_t state = randomState();
        expectDrawnAs(field, {{kWidth / 2, kHeight / 2, -191}});
        EXPECT_EQ(field.points()[0].z, 400.0f);
        EXPECT_EQ(randomState(), state);
    }
}

TEST_F(ParticleFieldTest, BeyondTheFarEndGoesToTheNearEndThenBack)
{
    ParticleField field(400, 1);
    place(field, 0, 0.0f, 0.0f, 400.5f);
    // At z = 1 the point is projected at full brightness, 256 x from the centre.
    expectDrawnAs(field, {{kWidth / 2, kHeight / 2, 0}});
    EXPECT_EQ(field.points()[0].z, 1.0f);
    // Standing still, the next draw sends it to the far end.
    expectDrawnAs(field, {{kWidth / 2, kHeight / 2, -191}});
    EXPECT_EQ(field.points()[0].z, 400.0f);

    // Off the centre, at z = 1 it lands far outside the frame.
    place(field, 0, 10.0f, -3.0f, std::numeric_limits<float>::infinity());
    expectDrawnAs(field, {});
    EXPECT_EQ(field.points()[0].z, 1.0f);
}

TEST_F(ParticleFieldTest, PointOnASideStaysAndBeyondItRespawns)
{
    ParticleField field(400, 1);
    for (float side : {400.0f, -400.0f}) {
        place(field, 0, side, side, 250.0f);
        const std::uint32_t state = randomState();
        Image frame;
        fillImage(frame, kWidth, kHeight, 0);
        field.draw(shades, frame);
        EXPECT_EQ(randomState(), state);
        EXPECT_EQ(field.points()[0].x, side);
        EXPECT_EQ(field.points()[0].y, side);
        EXPECT_EQ(field.points()[0].z, 250.0f);
    }

    struct Case {
        float x, y, expectX, expectY;
    };
    const Case cases[] = {
        {400.001f, 0.0f, -400.0f, 0.0f},
        {-400.001f, 0.0f, 400.0f, 0.0f},
        {0.0f, 400.001f, 0.0f, -400.0f},
        {0.0f, -400.001f, 0.0f, 400.0f},
        {std::numeric_limits<float>::infinity(), 0.0f, -400.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y);
        place(field, 0, c.x, c.y, 250.0f);
        const std::uint32_t state = randomState();
        const float depth = respawnDepthFrom(state, 400);
        Image frame;
        fillImage(frame, kWidth, kHeight, 0);
        field.draw(shades, frame);
        EXPECT_EQ(field.points()[0].x, c.expectX);
        EXPECT_EQ(field.points()[0].y, c.expectY);
        EXPECT_EQ(field.points()[0].z, depth);
        // Exactly one number drawn.
        const std::uint32_t afterDraw = randomState();
        setRandomState(state);
        nextRandom();
        EXPECT_EQ(afterDraw, randomState());
    }
}

TEST_F(ParticleFieldTest, RespawnDrawsOneNumberPerCrossingInParticleOrder)
{
    ParticleField field(400, 3);
    place(field, 0, 0.0f, 500.0f, 50.0f);    // y crossing: one draw
    place(field, 1, 10.0f, 10.0f, 50.0f);    // inside: none
    place(field, 2, -500.0f, -500.0f, 50.0f); // corner: x then y
    const std::uint32_t state = randomState();
    const float first = respawnDepthFrom(state, 400, 0);
    const float third = respawnDepthFrom(state, 400, 2);
    Image frame;
    fillImage(frame, kWidth, kHeight, 0);
    field.draw(shades, frame);
    EXPECT_EQ(field.points()[0].x, 0.0f);
    EXPECT_EQ(field.points()[0].y, -400.0f);
    EXPECT_EQ(field.points()[0].z, first);
    EXPECT_EQ(field.points()[1].z, 50.0f);
    EXPECT_EQ(field.points()[2].x, 400.0f);
    EXPECT_EQ(field.points()[2].y, 400.0f);
    EXPECT_EQ(field.points()[2].z, third); // the corner's depth comes from its second draw

    setRandomState(state);
    for (int i = 0; i < 3; ++i)
        nextRandom();
    const std::uint32_t afterThree = randomState();
    setRandomState(state);
    Image again;
    fillImage(again, kWidth, kHeight, 0);
    place(field, 0, 0.0f, 500.0f, 50.0f);
    place(field, 2, -500.0f, -500.0f, 50.0f);
    field.draw(shades, again);
    EXPECT_EQ(randomState(), afterThree);
}

TEST_F(ParticleFieldTest, RespawnedDepthsAreWholeNumbersFrom1ToE)
{
    ParticleField field(400, 2000);
    for (std::int32_t i = 0; i < field.count(); ++i)
        place(field, i, 401.0f, 0.0f, 10.0f);
    Image frame;
    fillImage(frame, kWidth, kHeight, 0);
    field.draw(shades, frame);
    for (std::int32_t i = 0; i < field.count(); ++i) {
        const float z = field.points()[i].z;
        ASSERT_GE(z, 1.0f);
        ASSERT_LE(z, 400.0f);
        ASSERT_EQ(z, std::floor(z));
    }
}

TEST_F(ParticleFieldTest, NegativeFractionOfAColumnTruncatesToColumnZero)
{
    ParticleField field(400, 2);
    // sx = -160.5 / 256 * 256 + 160 = -0.5, truncated to 0: stamped at the left edge.
    place(field, 0, -160.5f, 0.0f, 256.0f);
    // sx = -1.5 truncates to -1: refused.
    place(field, 1, -161.5f, 10.0f, 256.0f);
    expectDrawnAs(field, {{0, kHeight / 2, -155}});
}

TEST_F(ParticleFieldTest, FarOffAndNotANumberPositionsDrawNothing)
{
    ParticleField field(400, 4);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    place(field, 0, nan, 0.0f, 100.0f);
    place(field, 1, 0.0f, nan, 100.0f);
    place(field, 2, 400.0f, 400.0f, 1.0001f);
    place(field, 3, -400.0f, -400.0f, 1.0001f);
    const std::uint32_t state = randomState();
    expectDrawnAs(field, {});
    EXPECT_EQ(randomState(), state);
}

TEST_F(ParticleFieldTest, ProjectionsBeyondTheIntRangeAreRefused)
{
    // A huge box lets a projection leave the int range: its conversion must
    // not be undefined, and nothing may be drawn.
    ParticleField field(2000000000, 3);
    place(field, 0, 1.9e9f, 0.0f, 1.5f);
    place(field, 1, -1.9e9f, -1.9e9f, 1.5f);
    place(field, 2, 0.0f, 1.9e9f, 1.5f);
    expectDrawnAs(field, {});
}

TEST_F(ParticleFieldTest, OtherFrameSizesScaleAndCentre)
{
    // xScale = 640 * 0.003125f * 256 rounded to float, yScale likewise;
    // the centre is the integer half of each side.
    ParticleField field(400, 1);
    place(field, 0, 100.0f, -40.0f, 200.0f);
    const double inv = 1.0 / 200.0;
    const float xScale = static_cast<float>(641.0 * static_cast<double>(0.003125f) * 256.0);
    const float yScale = static_cast<float>(401.0 * static_cast<double>(0.005f) * 256.0);
    const float sx = static_cast<float>(inv * xScale * 100.0 + 320.0);
    const float sy = static_cast<float>(inv * -40.0 * yScale + 200.0);
    expectDrawnAs(field, {{static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy), -127}}, 641,
                  401);
}

TEST_F(ParticleFieldTest, ShiftAddsInSinglePrecisionWithoutBounds)
{
    ParticleField field(400, 2);
    place(field, 0, 0.1f, 399.0f, 400.0f);
    place(field, 1, -400.0f, 0.0f, 1.0f);
    const std::uint32_t state = randomState();
    field.shift(0.2f, 5.0f, 1.0f);
    volatile float a = 0.1f, b = 0.2f;
    const float sum = a + b;
    EXPECT_EQ(field.points()[0].x, sum);
    EXPECT_EQ(field.points()[0].y, 404.0f);
    EXPECT_EQ(field.points()[0].z, 401.0f);
    EXPECT_EQ(field.points()[1].x, -399.8f);
    EXPECT_EQ(field.points()[1].z, 2.0f);
    EXPECT_EQ(randomState(), state);

    // Single precision: a tiny step is lost on a large value.
    place(field, 0, 300.0f, 0.0f, 300.0f);
    field.shift(1.0e-5f, 0.0f, 0.0f);
    EXPECT_EQ(field.points()[0].x, 300.0f);
}

TEST_F(ParticleFieldTest, DrawRestoresTheBoundsAndNeverTouchesTheLastRowOrColumn)
{
    ParticleField field(400, 6000);
    Image frame;
    const float moves[][3] = {{0.0f, 0.0f, 0.0f}, {30.0f, -12.0f, -70.0f}, {-95.0f, 140.0f, 220.0f},
                              {410.0f, -410.0f, -300.0f}};
    for (const auto& m : moves) {
        field.shift(m[0], m[1], m[2]);
        fillImage(frame, kWidth, kHeight, 0);
        field.draw(shades, frame);
        for (std::int32_t i = 0; i < field.count(); ++i) {
            const Particle& p = field.points()[i];
            ASSERT_GE(p.x, -400.0f);
            ASSERT_LE(p.x, 400.0f);
            ASSERT_GE(p.y, -400.0f);
            ASSERT_LE(p.y, 400.0f);
            ASSERT_GE(p.z, 1.0f);
            ASSERT_LE(p.z, 400.0f);
        }
        for (int col = 0; col < kWidth; ++col)
            ASSERT_EQ(frame.pixels()[(kHeight - 1) * kWidth + col], 0u);
        for (int row = 0; row < kHeight; ++row)
            ASSERT_EQ(frame.pixels()[row * kWidth + kWidth - 1], 0u);
        for (int i = 0; i < kWidth * kHeight; ++i)
            ASSERT_EQ(frame.pixels()[i] & 0xFF0000FFu, 0u); // no blue, no top byte
    }
}

// Golden frames of the show's field (extent 400, 6000 particles, fresh
// generator) on a black 320x200 frame, with shifts in between. The hashes
// and states come from the independent model tests/particles/reference_model.py.
TEST_F(ParticleFieldTest, GoldenFramesMatchTheReferenceModel)
{
    ParticleField field(400, 6000);
    const float shifts[3][3] = {{1.5f, -2.25f, -3.0f}, {-7.0f, 11.0f, -40.0f}, {0.375f, -0.625f, 150.0f}};
    const std::uint64_t hashes[4] = {0x44C951A2B1656EA1ull, 0x504B05235362FA4Eull, 0x2CFC75C91F5FC880ull,
                                     0x6A43D1183A0B3290ull};
    const std::uint32_t states[4] = {0xDB01D711u, 0xCCC56006u, 0xD5FD0369u, 0x35445F60u};
    Image frame;
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        fillImage(frame, kWidth, kHeight, 0);
        field.draw(shades, frame);
        EXPECT_EQ(hashPixels(frame.pixels(), kWidth * kHeight), hashes[n]);
        EXPECT_EQ(randomState(), states[n]);
        if (n < 3)
            field.shift(shifts[n][0], shifts[n][1], shifts[n][2]);
    }
}

TEST_F(ParticleFieldTest, EmptyAndDegenerateFieldsAreHarmless)
{
    ParticleField empty(400, 0);
    EXPECT_EQ(empty.count(), 0);
    Image frame;
    fillImage(frame, kWidth, kHeight, 0);
    empty.draw(shades, frame);
    empty.shift(1.0f, 2.0f, 3.0f);
    EXPECT_EQ(hashPixels(frame.pixels(), kWidth * kHeight), [] {
        Image black;
        fillImage(black, kWidth, kHeight, 0);
        return hashPixels(black.pixels(), kWidth * kHeight);
    }());

    // An extent of 0 still takes its three draws per particle and draws nothing.
    const std::uint32_t state = randomState();
    ParticleField flat(0, 5);
    const std::uint32_t afterConstruction = randomState();
    setRandomState(state);
    for (int i = 0; i < 15; ++i)
        nextRandom();
    EXPECT_EQ(afterConstruction, randomState());
    expectDrawnAs(flat, {});
}
