// The capture tool's frame rates: the command line's defaults, and the
// simulated tick count that makes the real frame clock step as the live
// show does, steadily at 70 frames a second or at a display's rate.
#include "app/demo_clock.h"
#include "app/stepped_ticks.h"
#include "capture_options.h"
#include "module_audio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

bool parse(std::vector<std::string> args, CaptureOptions& options, std::string& error)
{
    args.insert(args.begin(), "kelvor-capture");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(&arg[0]);
    return parseCaptureOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

CaptureOptions parsed(std::vector<std::string> args)
{
    CaptureOptions options;
    std::string error;
    EXPECT_TRUE(parse(std::move(args), options, error)) << error;
    return options;
}

TEST(CaptureRate, SteadyStepsForFramesSixtyForVideoAndOneShowCycleAtEitherRate)
{
    EXPECT_EQ(parsed({"--checksums"}).fps, 70);
    EXPECT_EQ(parsed({"--checksums"}).last, 8000);
    EXPECT_EQ(parsed({"--png", "frames"}).fps, 70);
    const CaptureOptions video = parsed({"--video", "show.mp4"});
    EXPECT_EQ(video.fps, 60);
    // 114.3 seconds: 6857.1 frames, the cycle's last frame included.
    EXPECT_EQ(video.last, 6858);
    EXPECT_EQ(parsed({"--video", "show.mp4", "--fps", "70"}).last, 8000);
    EXPECT_EQ(parsed({"--fps", "50", "--seconds", "2"}).last, 100);
    EXPECT_EQ(parsed({"--video", "show.mp4", "--first", "61", "--seconds", "1"}).last, 120);
    EXPECT_EQ(parsed({"--fps", "62", "--last", "5"}).last, 5);
}

TEST(CaptureRate, RatesTheLiveShowNeverPresentsAreRefused)
{
    for (const char* fps : {"0", "63", "66", "69", "71", "120", "60.5", "x", ""}) {
        CaptureOptions options;
        std::string error;
        EXPECT_FALSE(parse({"--fps", fps}, options, error)) << fps;
        EXPECT_NE(error.find("--fps"), std::string::npos);
    }
    CaptureOptions options;
    std::string error;
    EXPECT_FALSE(parse({"--fps"}, options, error));
}

TEST(CaptureRate, EachFrameCarriesTheMusicOfItsOwnSpan)
{
    EXPECT_EQ(musicSampleAt(1, 70), 630);
    EXPECT_EQ(musicSampleAt(8000, 70), 8000 * 630);
    EXPECT_EQ(musicSampleAt(1, 60), 735);
    // At 48 frames a second a frame is 918.75 samples: the spans are 918
    // or 919 long and add up without drifting.
    EXPECT_EQ(musicSampleAt(1, 48), 918);
    EXPECT_EQ(musicSampleAt(4, 48), 3675);
    EXPECT_EQ(musicSampleAt(48 * 600, 48), 44100 * 600);
}

TEST(CaptureTicks, SteadyStepsAddOneStepPerFrame)
{
    SteppedTicks ticks;
    DemoClock clock(ticks.source());
    for (long k = 1; k <= 700; ++k) {
        ASSERT_TRUE(clock.update());
        ASSERT_NEAR(clock.getDelta(), 0.01, 1e-5) << k;
    }
    EXPECT_NEAR(clock.getTime(), 7.0, 1e-3);
}

TEST(CaptureTicks, DisplayFramesMoveTheClockByTheTimeThatPassed)
{
    SteppedTicks ticks(0, 0);
    DemoClock clock(ticks.source());
    EXPECT_EQ(clock.getLastTick(), 0.0f);
    // Ten minutes at 60 frames a second; the clock reads each frame's
    // moment in whole milliseconds: 16, 33, 50, 66, ...
    for (long k = 1; k <= 36000; ++k) {
        ticks.set(displayFrameTick(k, 60), 0);
        ASSERT_TRUE(clock.update());
        ASSERT_EQ(clock.getLastTick(), static_cast<float>(k * 1000 / 60)) << k;
        if (k <= 3) {
            EXPECT_GT(clock.getDelta(), 0.011f) << k;
        }
    }
    // 600 seconds of real time are 420 clock units; the float clock's own
    // rounding leaves a few hundredths of a unit.
    EXPECT_NEAR(clock.getTime(), 420.0, 0.1);
}

TEST(CaptureTicks, AtSixtyFramesASecondEachCardEntersWithinAFrameOfItsMusic)
{
    // The title cards' entries in show time (clock units); the music,
    // played from clock time 0 on real time, has them at entry / 0.7 s.
    // Video frame k is shown from (k - 1) / 60 s.
    SteppedTicks ticks(0, 0);
    DemoClock clock(ticks.source());
    long k = 0;
    for (int card = 1; card <= show::cardCount; ++card) {
        const double entry = show::cardEntry(card);
        while (clock.getTime() < entry) {
            ticks.set(displayFrameTick(++k, 60), 0);
            clock.update();
        }
        EXPECT_NEAR((k - 1) / 60.0, entry / 0.7, 1.0 / 60.0) << "card entering at " << entry;
    }
}

} // namespace
