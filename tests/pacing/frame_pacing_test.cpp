#include "app/demo_clock.h"
#include "display_model.h"
#include "platform/frame_pacing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr double clockUnitsPerSecond = 0.7;
constexpr double tenMinutesMs = 10 * 60 * 1000.0;

struct ShowRun {
    DisplayModelSettings display; // the simulated display
    double reportedHz = -1.0;     // the rate it reports; -1: the true rate
    bool vsyncClaimed = true;     // whether the pacer is told presents wait
    double lengthMs = tenMinutesMs;
    double pauseAtMs = -1.0;      // a pause of pauseMs this far into the show
    double pauseMs = 0.0;
};

struct ShowFigures {
    std::vector<std::int64_t> refreshesPerFrame; // of the frames after the first second
    double framesPerSecond = 0.0;
    double driftSeconds = 0.0; // clock time / 0.7 against the real time the music played
    int cadence = 0;           // the pacer's refreshes per frame
};

// Drawing a frame: well under a millisecond, a little different each time.
double renderMs(std::uint32_t& seed)
{
    seed = seed * 1103515245u + 12345u;
    return 0.5 + 0.5 * static_cast<double>((seed >> 16) & 0x7FFF) / 32768.0;
}

// The desktop frame loop on the model: clock update, drawing, paced present.
// Clock time 0 is taken right before the music starts, as in the show.
ShowFigures runShow(const ShowRun& run)
{
    DisplayModel display(run.display);
    FramePacer pacer(run.reportedHz < 0 ? run.display.refreshHz : run.reportedHz, run.vsyncClaimed);

    const double musicStart = display.now();
    DemoClock clock(TickSource::of(display));
    std::uint32_t seed = 1;
    bool paused = false;
    double lastUpdate = musicStart;
    std::int64_t previousRefresh = -1;
    std::int64_t framesCounted = 0;
    double countingSince = 0.0;
    ShowFigures figures;
    figures.cadence = pacer.refreshesPerFrame();
    while (display.now() - musicStart < run.lengthMs) {
        if (!paused && run.pauseAtMs >= 0 && display.now() - musicStart >= run.pauseAtMs) {
            paused = true;
            display.spend(run.pauseMs);
        }
        clock.update();
        lastUpdate = display.now();
        display.spend(renderMs(seed));
        const std::size_t before = display.presentedRefreshes().size();
        presentPaced(pacer, display);
        const std::int64_t shownFrom = display.presentedRefreshes()[before];
        if (lastUpdate - musicStart >= 1000.0) {
            if (framesCounted == 0)
                countingSince = lastUpdate;
            else
                figures.refreshesPerFrame.push_back(shownFrom - previousRefresh);
            ++framesCounted;
        }
        previousRefresh = shownFrom;
    }
    figures.framesPerSecond = static_cast<double>(framesCounted - 1) / ((lastUpdate - countingSince) / 1000.0);
    figures.driftSeconds = clock.getTime() / clockUnitsPerSecond - (lastUpdate - musicStart) / 1000.0;
    return figures;
}

// Every frame stays the same number of refreshes: the pacer's cadence.
void expectEvenFrames(const ShowFigures& figures)
{
    ASSERT_FALSE(figures.refreshesPerFrame.empty());
    std::size_t uneven = 0;
    for (std::int64_t refreshes : figures.refreshesPerFrame)
        uneven += refreshes != figures.cadence;
    EXPECT_EQ(uneven, 0u) << "of " << figures.refreshesPerFrame.size() << " frames";
}

void printRow(const char* display, const ShowFigures& figures)
{
    std::int64_t fewest = figures.refreshesPerFrame.front();
    std::int64_t most = fewest;
    for (std::int64_t refreshes : figures.refreshesPerFrame) {
        fewest = std::min(fewest, refreshes);
        most = std::max(most, refreshes);
    }
    std::printf("%-28s refreshes per frame %lld..%lld  %7.3f frames/s  drift %+.3f s\n", display,
                static_cast<long long>(fewest), static_cast<long long>(most), figures.framesPerSecond,
                figures.driftSeconds);
}

// A display whose presents do not wait, and a pacer told so.
ShowRun withoutVsync(double refreshHz)
{
    ShowRun run;
    run.display.refreshHz = refreshHz;
    run.display.presentWaits = false;
    run.vsyncClaimed = false;
    return run;
}

// Prints the run's row; every frame even, at the rate, the clock within
// the drift of real time.
void expectSteady(const char* display, const ShowFigures& figures, double framesPerSecond, double drift)
{
    printRow(display, figures);
    expectEvenFrames(figures);
    EXPECT_NEAR(figures.framesPerSecond, framesPerSecond, 0.01);
    EXPECT_LE(std::fabs(figures.driftSeconds), drift);
}

TEST(RefreshesPerFrame, TheFewestThatLastAFramePeriodInWholeMilliseconds)
{
    EXPECT_EQ(refreshesPerFrame(50), 1);
    EXPECT_EQ(refreshesPerFrame(59.94), 1);
    EXPECT_EQ(refreshesPerFrame(60), 1);
    EXPECT_EQ(refreshesPerFrame(62.5), 1);
    // 15 ms reads as 14 ms in some phases of the count, short of a period.
    EXPECT_EQ(refreshesPerFrame(66.67), 2);
    EXPECT_EQ(refreshesPerFrame(70), 2);
    EXPECT_EQ(refreshesPerFrame(75), 2);
    EXPECT_EQ(refreshesPerFrame(120), 2);
    EXPECT_EQ(refreshesPerFrame(144), 3);
    EXPECT_EQ(refreshesPerFrame(165), 3);
    EXPECT_EQ(refreshesPerFrame(240), 4);
    EXPECT_EQ(refreshesPerFrame(360), 6);
    // Not reported: 60 Hz.
    EXPECT_EQ(refreshesPerFrame(0), 1);
    EXPECT_EQ(refreshesPerFrame(-1), 1);
}

TEST(DisplayModel, WithVsyncEveryFrameStaysTheSameRefreshesAndTheClockKeepsRealTime)
{
    for (double hz : {50.0, 60.0, 75.0, 120.0, 144.0, 165.0, 240.0}) {
        SCOPED_TRACE(hz);
        ShowRun run;
        run.display.refreshHz = hz;
        const ShowFigures figures = runShow(run);
        char name[40];
        std::snprintf(name, sizeof name, "%g Hz, vsync", hz);
        expectSteady(name, figures, hz / figures.cadence, 0.2);
    }
}

TEST(DisplayModel, ADriverThatQueuesPresentsGivesTheSameEvenFrames)
{
    // Most drivers let a present or two wait to be shown and block only
    // when the queue is full; the frames still stay their refreshes each.
    for (int queued : {1, 2}) {
        for (double hz : {60.0, 75.0, 144.0, 240.0}) {
            SCOPED_TRACE(hz);
            SCOPED_TRACE(queued);
            ShowRun run;
            run.display.refreshHz = hz;
            run.display.queuedPresents = queued;
            run.lengthMs = 120000.0;
            const ShowFigures figures = runShow(run);
            char name[40];
            std::snprintf(name, sizeof name, "%g Hz, vsync, %d queued", hz, queued);
            expectSteady(name, figures, hz / figures.cadence, 0.2);
        }
    }
}

TEST(DisplayModel, At60HzSixtyFramesASecondEachOnOneRefresh)
{
    const ShowFigures figures = runShow(ShowRun());
    EXPECT_EQ(figures.cadence, 1);
    expectEvenFrames(figures);
    EXPECT_NEAR(figures.framesPerSecond, 60.0, 0.01);
}

TEST(DisplayModel, WithoutVsyncThePresentsAreTimedToTheReportedRate)
{
    struct Case {
        const char* name;
        double reportedHz;
        bool vsyncClaimed;
    };
    // A display that shows whatever is there at each refresh: no vsync at
    // all, one that reports no rate (60 Hz assumed), and one that claims
    // vsync but does not wait (which the pacer finds out).
    for (const Case& c : {Case{"60 Hz, no vsync", 60.0, false}, Case{"no rate reported, no vsync", 0.0, false},
                          Case{"60 Hz, vsync that never waits", 60.0, true}}) {
        SCOPED_TRACE(c.name);
        ShowRun run = withoutVsync(60.0);
        run.reportedHz = c.reportedHz;
        run.vsyncClaimed = c.vsyncClaimed;
        const ShowFigures figures = runShow(run);
        expectSteady(c.name, figures, 60.0, 0.2);
        EXPECT_EQ(figures.cadence, 1);
    }
}

TEST(DisplayModel, WithoutVsyncAPresentThatTakesLongerThanTheSpareDoesNotStretchTheFrames)
{
    // A window at 3x or filling the screen: scaling and copying the picture
    // takes 1 to 4 ms, more than the 0.67 ms a 16.67 ms frame has to spare
    // over the clock's 16 ms. The presents still come a frame apart.
    for (double cost : {1.0, 1.5, 4.0}) {
        SCOPED_TRACE(cost);
        ShowRun run = withoutVsync(60.0);
        run.display.presentCostMs = cost;
        run.lengthMs = 60000.0;
        expectSteady("60 Hz, no vsync, slow present", runShow(run), 60.0, 0.05);
    }
}

TEST(DisplayModel, WithoutVsyncAtAFastDisplayTheCadenceIsStillWholeRefreshes)
{
    ShowRun run = withoutVsync(144.0);
    run.lengthMs = 60000.0;
    const ShowFigures figures = runShow(run);
    expectEvenFrames(figures);
    EXPECT_EQ(figures.cadence, 3);
    EXPECT_NEAR(figures.framesPerSecond, 48.0, 0.01);
}

TEST(DisplayModel, OnABusyMachineALateFrameDoesNotMakeTheClockFallBehind)
{
    // Without vsync the presents are timed by sleeps; one in twenty wakes
    // 3 ms late. The frame after a late one must not come so soon that the
    // clock finds less than a period passed: a clock that waits adds one
    // step for 15 ms and falls behind the music.
    ShowRun run = withoutVsync(60.0);
    run.display.slowWakeEvery = 20;
    run.display.slowWakeMs = 3.0;
    const ShowFigures figures = runShow(run);
    printRow("60 Hz, no vsync, busy", figures);
    // Each late frame pushes the cadence on by its lateness.
    EXPECT_GT(figures.framesPerSecond, 59.0);
    EXPECT_LE(std::fabs(figures.driftSeconds), 0.2);
}

TEST(DisplayModel, APauseIsCountedByTheClockAndTheCadenceResumesWithoutARush)
{
    for (bool vsync : {true, false}) {
        SCOPED_TRACE(vsync);
        ShowRun run;
        run.display.presentWaits = vsync;
        run.vsyncClaimed = vsync;
        run.lengthMs = 60000.0;
        run.pauseAtMs = 20000.0;
        run.pauseMs = 10000.0;
        const ShowFigures figures = runShow(run);
        // The frame across the pause is as long as the pause; without vsync
        // the cadence starts over after it, at a new phase against the
        // display's refresh, which can make one more frame uneven. Every
        // other frame keeps the cadence: none is rushed out to catch up.
        std::size_t uneven = 0;
        for (std::int64_t refreshes : figures.refreshesPerFrame)
            uneven += refreshes != 1;
        EXPECT_GE(uneven, 1u);
        EXPECT_LE(uneven, vsync ? 1u : 2u);
        EXPECT_LE(std::fabs(figures.driftSeconds), 0.2);
    }
}

TEST(FramePacer, PresentsThatWaitKeepVsyncAndOnesThatDoNotLoseIt)
{
    const double refresh = 1000.0 / 120.0;
    FramePacer waits(120.0, true);
    FramePacer queuesAhead(120.0, true);
    FramePacer neverWaits(120.0, true);
    double now = 1000.0;
    for (int i = 0; i < 200; ++i, now += refresh) {
        // Drawing a frame takes a millisecond of every other refresh.
        const double drawn = i % 2 == 0 ? 1.0 : 0.0;
        waits.presented(now + drawn, now + refresh);
        // The first three presents go into the driver's queue at once.
        queuesAhead.presented(now + drawn, i < 3 ? now + drawn + 0.05 : now + refresh);
        neverWaits.presented(now + drawn, now + drawn + 0.3);
    }
    EXPECT_TRUE(waits.waitsForRefresh());
    EXPECT_EQ(waits.presentsPerFrame(), 2);
    EXPECT_TRUE(queuesAhead.waitsForRefresh());
    EXPECT_FALSE(neverWaits.waitsForRefresh());
    EXPECT_EQ(neverWaits.presentsPerFrame(), 1);
}

TEST(FramePacer, TimedPresentsKeepTheCadenceADistanceAfterALateOneAndStartOverAfterAStall)
{
    FramePacer pacer(60.0, false);
    const double frame = 1000.0 / 60.0;
    EXPECT_DOUBLE_EQ(pacer.nextPresentAt(500.0), 500.0);
    pacer.presented(500.0, 500.2);
    EXPECT_DOUBLE_EQ(pacer.nextPresentAt(505.0), 500.0 + frame);
    pacer.presented(500.0 + frame, 500.2 + frame);
    EXPECT_DOUBLE_EQ(pacer.nextPresentAt(520.0), 500.0 + 2 * frame);
    // This present comes 3 ms late; the next keeps 16 ms from its start,
    // and the cadence goes on from there.
    pacer.presented(536.33, 536.5);
    EXPECT_DOUBLE_EQ(pacer.nextPresentAt(537.0), 552.33);
    pacer.presented(552.33, 552.53);
    EXPECT_DOUBLE_EQ(pacer.nextPresentAt(553.0), 552.33 + frame);
    // A present that takes longer than the cadence's spare does not push
    // the next one: a frame after the last was due.
    pacer.presented(552.33 + frame, 552.33 + frame + 2.5);
    EXPECT_DOUBLE_EQ(pacer.nextPresentAt(575.0), 552.33 + 2 * frame);
    // More than a frame late: from now on.
    EXPECT_DOUBLE_EQ(pacer.nextPresentAt(700.0), 700.0);
    pacer.presented(700.0, 700.2);
    EXPECT_DOUBLE_EQ(pacer.nextPresentAt(701.0), 700.0 + frame);
}

} // namespace
