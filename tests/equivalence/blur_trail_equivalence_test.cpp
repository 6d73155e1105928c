// The blur with its channels summed side by side in each pixel word, and the
// trail written to the frame and the previous frame in one pass, against
// their per-channel builds.
#include "support/baseline/baseline.h"
#include "fx/image_blur.h"
#include "random_inputs.h"
#include "support/simd_levels.h"
#include "scene/scene.h"
#include "support/show_pictures.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Both on every instruction set this processor runs.
class BlurTrailEquivalence : public ::testing::TestWithParam<SimdLevel> {
protected:
    ScopedSimdLevel level{GetParam()};
};

TEST_P(BlurTrailEquivalence, BlurOfRandomImagesOverSeveralPasses)
{
    RandomInputs random(7u);
    ImageBlur blurrer;
    // Thin ones, the sizes of the show and some wider than the blur's
    // column chunk.
    std::vector<std::pair<int, int>> sizes = {{1, 1}, {2, 9}, {9, 2}, {3, 3}, {64, 64}, {522, 37},
                                              {440, 44}, {256, 256}, {513, 4}, {514, 5}, {1100, 6}};
    for (int round = 0; round < 40; ++round)
        sizes.emplace_back(random.between(1, 1200), random.between(1, 40));
    for (const auto& size : sizes) {
        Image ours, theirs;
        random.fill(ours, size.first, size.second);
        theirs.resize(ours.width(), ours.height());
        ours.copyPixelsTo(theirs.pixels());
        for (int pass = 0; pass < 3; ++pass) {
            blurrer.blur(ours);
            baseline::blur(theirs);
            ASSERT_TRUE(samePixels(ours, theirs))
                << size.first << "x" << size.second << " pass " << pass;
        }
    }
}

TEST_P(BlurTrailEquivalence, TrailOverSeveralFrames)
{
    const TemporaryFolder folder;
    writeShowPictures(folder.path());
    Scene scene;
    ASSERT_TRUE(scene.setup(show::screenWidth, show::screenHeight, folder.path()));
    const std::size_t pixels = static_cast<std::size_t>(show::screenWidth) * show::screenHeight;
    std::vector<Pixel> previous(pixels, 0u); // the scene's previous frame starts black
    RandomInputs random(11u);
    Image frame;
    for (int round = 0; round < 4; ++round) {
        random.fill(frame, show::screenWidth, show::screenHeight);
        std::vector<Pixel> expected(frame.pixels(), frame.pixels() + pixels);
        baseline::blendTrail(expected.data(), previous.data(), pixels);
        scene.blendWithPreviousFrame(frame);
        ASSERT_EQ(std::vector<Pixel>(frame.pixels(), frame.pixels() + pixels), expected);
        ASSERT_EQ(std::vector<Pixel>(scene.previous(), scene.previous() + pixels), previous);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPath, BlurTrailEquivalence, ::testing::ValuesIn(availableSimdLevels()),
                         simdLevelTestName);

} // namespace
