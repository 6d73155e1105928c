#include "pcx_writer.h"
#include "app/demo_clock.h"
#include "scene/scene.h"
#include "scene/show_facts.h"
#include "support/scripted_ticks.h"
#include "support/show_pictures.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Every picture solid white inside a black border, so that any card or sprite
// drawn at even the faintest level leaves a mark on a black frame.
void writeWhitePictures(const std::string& folder)
{
    PcxPalette palette;
    for (int c = 3; c < 6; ++c)
        palette.rgb[c] = 255; // entry 1 white
    for (int number = 1; number <= 7; ++number) {
        const ShowPicture& picture = showPicture(number);
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(picture.width) * picture.height, 0);
        for (int y = 1; y < picture.height - 1; ++y)
            for (int x = 1; x < picture.width - 1; ++x)
                indices[static_cast<std::size_t>(y) * picture.width + x] = 1;
        const std::string path = folder + "/" + picture.name;
        ASSERT_TRUE(writeFileAtomically(path, encodePcx(picture.width, picture.height, indices, palette)));
    }
}

class SceneFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        const TemporaryFolder folder;
        writeWhitePictures(folder.path());
        ASSERT_TRUE(scene.setup(show::screenWidth, show::screenHeight, folder.path()));
        fillImage(frame, show::screenWidth, show::screenHeight, 0);
    }

    bool frameIsBlack() const
    {
        for (int i = 0; i < show::screenWidth * show::screenHeight; ++i)
            if (frame.pixels()[i] != 0)
                return false;
        return true;
    }

    std::uint64_t titleHash(int number) const
    {
        const Image& card = *scene.title(number);
        return hashPixels(card.pixels(), static_cast<std::size_t>(card.width()) * card.height());
    }

    Scene scene;
    Image frame;
};

TEST_F(SceneFrame, TitleOneNeedsShowTimeAbove21Point2)
{
    // The float nearest 21.2 lies above the double 21.2: card 1 is drawn.
    scene.drawTimeline(21.2f, frame);
    EXPECT_FALSE(frameIsBlack());

    fillImage(frame, show::screenWidth, show::screenHeight, 0);
    scene.drawTimeline(std::nextafter(21.2f, 0.0f), frame);
    EXPECT_TRUE(frameIsBlack());
}

TEST_F(SceneFrame, TitleOneEndsBeforeUReaches9AndNoOtherCardIsDueThen)
{
    // The first show time whose u is 9 or more draws nothing.
    float s = 30.19f;
    while (static_cast<float>(s - 21.2) < 9)
        s = std::nextafter(s, 100.0f);
    scene.drawTimeline(s, frame);
    EXPECT_TRUE(frameIsBlack());
}

TEST_F(SceneFrame, TitleOneBlursItsPictureOnlyPast4Point5)
{
    const std::uint64_t pristine = titleHash(1);
    scene.drawTitle1(4.5f, frame);
    EXPECT_EQ(titleHash(1), pristine);
    scene.drawTitle1(std::nextafter(4.5f, 5.0f), frame);
    EXPECT_NE(titleHash(1), pristine);
}

TEST_F(SceneFrame, CardsTreatNonPositiveAndNanLocalTimesAs0Point01)
{
    Image reference;
    fillImage(reference, show::screenWidth, show::screenHeight, 0);
    scene.drawTitle2(0.01f, reference);
    for (const float odd : {0.0f, -3.0f, std::nanf("")}) {
        fillImage(frame, show::screenWidth, show::screenHeight, 0);
        scene.drawTitle2(odd, frame);
        for (int i = 0; i < show::screenWidth * show::screenHeight; ++i)
            ASSERT_EQ(frame.pixels()[i], reference.pixels()[i]);
    }
    // At 0.01 card 2 shows at level 0.005: white lowered by 253 adds 2 at
    // the cards' centre, one pixel up and left of the screen's middle.
    const int centreX = show::screenWidth / 2 - 1, centreY = show::screenHeight / 2 - 1;
    EXPECT_EQ(reference.pixels()[centreY * show::screenWidth + centreX], 0x020202u);
}

TEST_F(SceneFrame, CardsVanishAfterTheirFadeButCardFiveKeepsBlurring)
{
    scene.drawTitle2(std::nextafter(6.5f, 7.0f), frame);
    scene.drawTitle3(std::nextafter(6.5f, 7.0f), frame);
    scene.drawTitle4(std::nextafter(16.5f, 17.0f), frame);
    EXPECT_TRUE(frameIsBlack());

    const std::uint64_t pristine = titleHash(5);
    scene.drawTitle5(18.0f, frame);
    EXPECT_TRUE(frameIsBlack());
    EXPECT_NE(titleHash(5), pristine);
}

TEST_F(SceneFrame, TrailHalvesTheNewAndThePreviousFrame)
{
    fillImage(frame, show::screenWidth, show::screenHeight, 0xFFFFFF);
    scene.blendWithPreviousFrame(frame);
    EXPECT_EQ(frame.pixels()[0], 0x7F7F7Fu);
    fillImage(frame, show::screenWidth, show::screenHeight, 0xFFFFFF);
    scene.blendWithPreviousFrame(frame);
    EXPECT_EQ(frame.pixels()[0], 0xBEBEBEu);   // 127 + 63
    fillImage(frame, show::screenWidth, show::screenHeight, 0);
    scene.blendWithPreviousFrame(frame);
    EXPECT_EQ(frame.pixels()[0], 0x5F5F5Fu);
    EXPECT_EQ(scene.previous()[0], 0x5F5F5Fu);
}

TEST_F(SceneFrame, TheCycleRestartsOnlyOnceMoreThan80UnitsHavePassed)
{
    setTicks(0, 1);
    DemoClock clock;
    // One long pause carries the clock to show time 75: card 5 is blurring.
    setTicks(107140, 1);
    clock.update();
    ASSERT_NEAR(clock.getTime(), 75.0, 0.05);
    ASSERT_TRUE(scene.render(clock.getTime(), clock.getDelta(), frame));
    EXPECT_EQ(scene.getRestartMark(), 0.0f);

    // Up to exactly the cycle's length nothing restarts; the first update
    // past it does.
    while (clock.getTime() <= show::cycleLength) {
        ASSERT_TRUE(scene.render(clock.getTime(), clock.getDelta(), frame));
        ASSERT_EQ(scene.getRestartMark(), 0.0f);
        clock.update();
    }
    const std::uint64_t blurred = titleHash(5);
    ASSERT_TRUE(scene.render(clock.getTime(), clock.getDelta(), frame));
    EXPECT_EQ(scene.getRestartMark(), clock.getTime());
    EXPECT_NE(titleHash(5), blurred);
    const Image& restored = *scene.title(5);
    for (int i = 0; i < restored.width() * restored.height(); ++i)
        ASSERT_EQ(restored.pixels()[i], scene.pristine5().pixels()[i]);
}

TEST_F(SceneFrame, EveryShownPixelHasAZeroTopByteAndTheBottomRowStaysBlack)
{
    setTicks(0, 1);
    DemoClock clock;
    for (int k = 0; k < 40; ++k) {
        clock.update();
        ASSERT_TRUE(scene.render(clock.getTime(), clock.getDelta(), frame));
    }
    for (int i = 0; i < show::screenWidth * show::screenHeight; ++i)
        ASSERT_EQ(frame.pixels()[i] >> 24, 0u);
    for (int x = 0; x < show::screenWidth; ++x)
        ASSERT_EQ(frame.pixels()[(show::screenHeight - 1) * show::screenWidth + x], 0u);
    EXPECT_FALSE(frameIsBlack());
}

} // namespace
