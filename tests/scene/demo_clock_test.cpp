#include "app/demo_clock.h"
#include "app/stepped_ticks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

const double kPeriod = static_cast<float>(1000.0 / show::clockRate);

TEST(DemoClock, FirstUpdateWaitsOnePeriodAndAddsOneStep)
{
    SteppedTicks ticks(1000);
    DemoClock clock(ticks.source());
    EXPECT_EQ(clock.getTime(), 0.0f);
    EXPECT_EQ(clock.getDelta(), 0.0f);
    EXPECT_EQ(clock.getPeriod(), 14.285714149475098f);

    EXPECT_TRUE(clock.update());
    EXPECT_EQ(bitsOf(clock.getTime()), 0x3C23D70Au);
    EXPECT_EQ(clock.getDelta(), clock.getTime());
    // The busy wait ends at the first reading 15 ms after the start.
    EXPECT_EQ(clock.getLastTick(), 1016.0f);

    for (int frame = 2; frame <= 1000; ++frame)
        clock.update();
    EXPECT_NEAR(clock.getTime(), 10.0, 1e-3);
    EXPECT_NEAR(clock.getDelta(), 0.0100002, 1e-7);
}

TEST(DemoClock, LateFramesAndPausesCatchUp)
{
    SteppedTicks ticks;
    DemoClock clock(ticks.source());
    ticks.set(20, 1); // a frame that took 20 ms
    ASSERT_TRUE(clock.update());
    const double late = (22.0 - 0.0 - kPeriod) / kPeriod * show::clockStep;
    EXPECT_EQ(clock.getTime(), static_cast<float>(show::clockStep + static_cast<double>(static_cast<float>(late))));
    EXPECT_NEAR(clock.getTime(), 0.0154, 1e-4);

    // Ten seconds of pause count as elapsed at the next update.
    const float before = clock.getTime();
    ticks.skip(10000);
    ASSERT_TRUE(clock.update());
    EXPECT_NEAR(clock.getTime() - before, 7.0, 0.01);
    EXPECT_NEAR(clock.getDelta(), 7.0, 0.01);
}

TEST(DemoClock, LargeTickCountsRoundAndATickBelowTheLastFreezes)
{
    // 16777219 is stored rounded up to 16777220: until the count gets there,
    // updates change nothing.
    SteppedTicks ticks(16777219, 0);
    DemoClock clock(ticks.source());
    EXPECT_EQ(clock.getLastTick(), 16777220.0f);
    EXPECT_FALSE(clock.update());
    EXPECT_EQ(clock.getTime(), 0.0f);

    ticks.set(16777220, 1);
    EXPECT_TRUE(clock.update());
    EXPECT_EQ(bitsOf(clock.getTime()), 0x3C23D70Au);

    // The 32-bit count wraps: time freezes, every update refuses.
    ticks.set(4294967000u, 1);
    DemoClock wrapping(ticks.source());
    ticks.set(4294967000u + 100u, 1);
    ASSERT_TRUE(wrapping.update());
    const float frozen = wrapping.getTime();
    ticks.set(5, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(wrapping.update());
    EXPECT_EQ(wrapping.getTime(), frozen);
}

TEST(DemoClock, AFrameIsDueExactlyWhenUpdateWouldNotWait)
{
    // The tick count stands still between settings, so an update that
    // waited would never return: each update below returns at once.
    SteppedTicks ticks(1000, 0);
    DemoClock clock(ticks.source());
    EXPECT_FALSE(clock.frameDue());
    ticks.set(1014, 0);
    EXPECT_FALSE(clock.frameDue());
    ticks.set(1015, 0);
    EXPECT_TRUE(clock.frameDue());
    ASSERT_TRUE(clock.update());
    EXPECT_NEAR(clock.getTime(), 15.0 / kPeriod * 0.01, 1e-6); // 15 ms: a step and a little catch-up
    EXPECT_FALSE(clock.frameDue());

    // Away for ten seconds: due, and the one update catches the time up.
    ticks.set(11015, 0);
    EXPECT_TRUE(clock.frameDue());
    ASSERT_TRUE(clock.update());
    EXPECT_NEAR(clock.getTime(), 7.01, 0.01);

    // Below the last tick update refuses at once, so it counts as due.
    ticks.set(16777219, 0);
    DemoClock roundedUp(ticks.source());
    EXPECT_TRUE(roundedUp.frameDue());
    EXPECT_FALSE(roundedUp.update());
}

struct ClockReading {
    float time;
    float delta;
    float lastTick;
    bool updated;
};

// A stepped count whose readings and sleeps are counted; a poll ignores its
// sleeps, which turns the clock's wait into a pure poll.
struct CountedTicks {
    SteppedTicks ticks;
    bool poll = false;
    std::uint32_t readings = 0;
    std::uint32_t sleeps = 0;

    std::uint32_t count()
    {
        ++readings;
        return ticks.count();
    }
    void sleepUntil(double tick)
    {
        ++sleeps;
        if (!poll)
            ticks.sleepUntil(tick);
    }
};

// Runs 300 updates from tick 5000 on a count that advances `advance` ms per
// reading, with a late frame of `lateBy` ms every 50th update.
std::vector<ClockReading> runClock(std::uint32_t advance, std::uint32_t lateBy, CountedTicks& counted)
{
    counted.ticks.set(5000, advance);
    DemoClock clock(TickSource::of(counted));
    std::vector<ClockReading> result;
    for (int frame = 1; frame <= 300; ++frame) {
        if (frame % 50 == 0)
            counted.ticks.skip(lateBy);
        const bool updated = clock.update();
        result.push_back({clock.getTime(), clock.getDelta(), clock.getLastTick(), updated});
    }
    return result;
}

bool sameReadings(const std::vector<ClockReading>& a, const std::vector<ClockReading>& b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (bitsOf(a[i].time) != bitsOf(b[i].time) || bitsOf(a[i].delta) != bitsOf(b[i].delta) ||
            a[i].lastTick != b[i].lastTick || a[i].updated != b[i].updated)
            return false;
    }
    return a.size() == b.size();
}

TEST(DemoClock, SleepingInTheWaitChangesNoUpdateAndSavesMostReadings)
{
    for (std::uint32_t advance : {1u, 2u, 3u, 7u, 13u}) {
        for (std::uint32_t lateBy : {0u, 9u, 40u, 10000u}) {
            CountedTicks polling;
            polling.poll = true;
            CountedTicks sleeping;
            const std::vector<ClockReading> poll = runClock(advance, lateBy, polling);
            const std::vector<ClockReading> sleep = runClock(advance, lateBy, sleeping);
            EXPECT_TRUE(sameReadings(poll, sleep)) << "advance " << advance << ", late by " << lateBy;
            const std::uint32_t polled = polling.readings;
            const std::uint32_t slept = sleeping.readings;
            EXPECT_LE(slept, polled);
            if (advance == 1) {
                // A pure poll reads the count about 16 times a frame; the
                // wait sleeps to just before the end and reads it
                // only a handful of times.
                EXPECT_GT(polled, 300u * 15);
                EXPECT_LT(slept, 300u * 7);
            }
        }
    }
}

TEST(DemoClock, ALateFrameDoesNotSleep)
{
    CountedTicks counted;
    DemoClock clock(TickSource::of(counted));
    counted.ticks.set(30, 1);
    counted.readings = 0;
    ASSERT_TRUE(clock.update());
    EXPECT_EQ(counted.sleeps, 0u);
    EXPECT_EQ(counted.readings, 5u);
}

TEST(DemoClock, ARateNotAboveOneTenthRefusesToReset)
{
    SteppedTicks ticks(500);
    DemoClock clock(ticks.source(), 0.05f, 0.01f);
    EXPECT_EQ(clock.getTime(), 0.0f);
    EXPECT_EQ(clock.getPeriod(), 0.0f);
    EXPECT_FALSE(clock.reset());
}

} // namespace
