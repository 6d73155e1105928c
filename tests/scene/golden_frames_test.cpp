// Pinned checksums of whole frames rendered from the test pictures, so that a
// change in any effect, in the timeline or in the arithmetic shows up. The
// frames are rendered as the capture tool renders them: the real clock, one
// clock step per frame, from frame 1 on.
#include "image/frame_hash.h"
#include "particles/random15.h"
#include "app/demo_clock.h"
#include "scene/scene.h"
#include "support/scripted_ticks.h"
#include "support/show_pictures.h"
#include "support/simd_levels.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <map>

namespace {

std::string hex(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

// Every instruction set this processor runs must render the pinned frames.
class GoldenFrames : public ::testing::TestWithParam<SimdLevel> {};

TEST_P(GoldenFrames, ShowCycleAndRestartRenderThePinnedFrames)
{
    const ScopedSimdLevel level(GetParam());
    // Particles, sprite ring, every title card, card 5 blurring, the restart.
    const std::map<int, std::string> pinned = {
        {1, "1153e99a3192b070"},    {2, "8e41cb61fb7097b3"},    {100, "25a580914d4130a0"},
        {1500, "7229aeb11a6323fa"}, {2200, "7c26409159fee1f0"}, {2700, "24116c990c760644"},
        {3350, "752b7f637bdbb7b7"}, {3950, "3321724ffb34fef7"}, {4500, "92ebfe35ca8683e3"},
        {5200, "9e98ed2031d753df"}, {6000, "164e757cd61df258"}, {7700, "0941e0ba0d78a71f"},
        {8000, "4bbab126eff76e1d"}, {8001, "26671986b1606bb3"}, {8002, "2a3622535fb3582f"},
        {8100, "f3f2d765cf78f9a4"},
    };

    const TemporaryFolder folder;
    writeShowPictures(folder.path());
    setRandomState(1);
    setTicks(0, 1);
    Scene scene;
    ASSERT_TRUE(scene.setup(show::screenWidth, show::screenHeight, folder.path()));
    Image frame;
    frame.resize(show::screenWidth, show::screenHeight);
    DemoClock clock;

    int restartFrame = 0;
    for (int k = 1; k <= 8100; ++k) {
        clock.update();
        ASSERT_TRUE(scene.render(clock.getTime(), clock.getDelta(), frame));
        if (restartFrame == 0 && scene.getRestartMark() != 0.0f)
            restartFrame = k;
        const auto found = pinned.find(k);
        if (found != pinned.end()) {
            EXPECT_EQ(hex(frameHash(frame.pixels(), show::screenWidth * show::screenHeight)), found->second) << "frame " << k;
        }
    }
    // Clock time passes 80 (summed in float) with the 8001st step.
    EXPECT_EQ(restartFrame, 8001);
}
INSTANTIATE_TEST_SUITE_P(EveryPath, GoldenFrames, ::testing::ValuesIn(availableSimdLevels()),
                         simdLevelTestName);

} // namespace
