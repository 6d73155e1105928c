// The real scene behind a clock at its limits: a tick count that wraps or
// starts at the top of its range freezes the clock, and long pauses make it
// jump. The show must keep drawing sound frames through all of it.
#include "scene/show_facts.h"
#include "support/show_rig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

void expectCameraFinite(const Scene& scene)
{
    EXPECT_TRUE(std::isfinite(scene.getCameraX()));
    EXPECT_TRUE(std::isfinite(scene.getCameraY()));
    EXPECT_TRUE(std::isfinite(scene.getCameraAltitude()));
}

TEST(ClockLimits, AWrappedTickCountFreezesTheClockAndTheShowDrawsOn)
{
    ShowRig rig;
    for (int f = 0; f < 200; ++f)
        ASSERT_TRUE(rig.frame());
    const float time = rig.clock().getTime();
    const float delta = rig.clock().getDelta();
    const float lastTick = rig.clock().getLastTick();
    const float mark = rig.scene().getRestartMark();

    // The 32-bit count wraps to 0: it reads below the stored tick.
    rig.setTickCount(3);
    for (int f = 0; f < 300; ++f) {
        ASSERT_FALSE(rig.frame());
        ASSERT_TRUE(rig.lastRenderDrew());
        ASSERT_EQ(frameFault(rig.image()), "") << "frozen frame " << f;
    }
    EXPECT_EQ(rig.clock().getTime(), time);
    EXPECT_EQ(rig.clock().getDelta(), delta);
    EXPECT_EQ(rig.scene().getRestartMark(), mark);
    EXPECT_FALSE(frameIsBlack(rig.image()));
    expectCameraFinite(rig.scene());

    // Once the count is back at the stored tick the clock goes on from
    // where it stopped, one step per frame.
    rig.setTickCount(static_cast<std::uint32_t>(lastTick));
    ASSERT_TRUE(rig.frame());
    EXPECT_EQ(rig.clock().getTime(), static_cast<float>(static_cast<double>(show::clockStep) + time));
    EXPECT_EQ(frameFault(rig.image()), "");
}

TEST(ClockLimits, StartedAtTheTopOfTheTickRangeTheShowHoldsAStillPicture)
{
    // The first tick rounds up to 2^32 as a float, which no count reaches:
    // the clock never moves, and with clock delta 0 nothing on screen may
    // move either, so the trail settles on one picture.
    ShowRig rig("", 4294967290u);
    std::uint64_t previous = 0;
    int unchanged = 0;
    for (int f = 0; f < 40; ++f) {
        ASSERT_FALSE(rig.frame());
        ASSERT_TRUE(rig.lastRenderDrew());
        ASSERT_EQ(frameFault(rig.image()), "") << "frame " << f;
        const std::uint64_t hash = imageHash(rig.image());
        unchanged = hash == previous ? unchanged + 1 : 0;
        previous = hash;
    }
    EXPECT_EQ(rig.clock().getTime(), 0.0f);
    EXPECT_GE(unchanged, 20) << "the picture still changes with the clock stopped";
    EXPECT_FALSE(frameIsBlack(rig.image()));
}

class LongPause : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(LongPause, RestartsTheCycleWithTheCardsAsLoaded)
{
    ShowRig rig;
    // Into the last stretch of title card 1, which blurs its picture.
    rig.frame();
    rig.frame(38000);
    for (int f = 0; f < 20; ++f)
        rig.frame();
    ASSERT_GT(rig.showTime(), 25.7f);
    ASSERT_LT(rig.showTime(), 30.2f);
    ASSERT_FALSE(samePixels(*rig.scene().title(1), rig.scene().pristine1()));

    // The pause, counted in full at the next update: that frame restarts
    // the cycle and puts both blurring cards back as they were loaded.
    ASSERT_TRUE(rig.frame(GetParam()));
    EXPECT_EQ(rig.scene().getRestartMark(), rig.clock().getTime());
    EXPECT_TRUE(samePixels(*rig.scene().title(1), rig.scene().pristine1()));
    EXPECT_TRUE(samePixels(*rig.scene().title(5), rig.scene().pristine5()));
    EXPECT_EQ(frameFault(rig.image()), "");
    expectCameraFinite(rig.scene());

    // The new cycle starts near show time 0, far from any title card.
    for (int f = 0; f < 100; ++f) {
        rig.frame();
        ASSERT_TRUE(rig.lastRenderDrew());
        ASSERT_EQ(frameFault(rig.image()), "") << "frame " << f << " after the pause";
        ASSERT_GE(rig.showTime(), 0.0f);
        ASSERT_LT(rig.showTime(), show::titlesStart);
    }
    EXPECT_TRUE(samePixels(*rig.scene().title(1), rig.scene().pristine1()));
    expectCameraFinite(rig.scene());
}

// Ten minutes, a day, and 2^31 ms (almost 25 days, where clock time is so
// large that a step no longer changes it).
INSTANTIATE_TEST_SUITE_P(ClockLimits, LongPause,
                         ::testing::Values(600000u, 86400000u, 2147483648u));

} // namespace
