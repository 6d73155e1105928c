#include "fx/image_blur.h"
#include "image/pcx_reader.h"
#include "app/demo_clock.h"
#include "scene/scene.h"
#include "support/scripted_ticks.h"
#include "support/show_pictures.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

class SceneSetup : public ::testing::Test {
protected:
    void SetUp() override { writeShowPictures(folder); }
    const TemporaryFolder temporary;
    const std::string folder = temporary.path();
};

bool samePixels(const Image& a, const Image& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int i = 0; i < a.width() * a.height(); ++i)
        if (a.pixels()[i] != b.pixels()[i])
            return false;
    return true;
}

TEST_F(SceneSetup, PreparesEveryResourceBeforeTheFirstFrame)
{
    Scene scene;
    EXPECT_FALSE(scene.ready());
    ASSERT_TRUE(scene.setup(show::screenWidth, show::screenHeight, folder));
    ASSERT_TRUE(scene.ready());

    for (int i = 0; i < show::screenWidth * show::screenHeight; ++i)
        ASSERT_EQ(scene.previous()[i], 0u);

    // The pristine copies are the cards as loaded; the cards are not blurred.
    PcxReader reader;
    const auto card1 = reader.load(522, 37, (folder + "/data1.pcx").c_str());
    const auto card5 = reader.load(440, 44, (folder + "/data5.pcx").c_str());
    EXPECT_TRUE(samePixels(scene.pristine1(), *card1));
    EXPECT_TRUE(samePixels(*scene.title(1), *card1));
    EXPECT_TRUE(samePixels(scene.pristine5(), *card5));

    // The sprite has three blur passes, the terrain picture two, and the
    // heights are the blue bytes of the blurred terrain picture.
    ImageBlur blurrer;
    auto sprite = reader.load(64, 64, (folder + "/data6.pcx").c_str());
    for (int pass = 0; pass < 3; ++pass)
        blurrer.blur(*sprite);
    EXPECT_TRUE(samePixels(*scene.sprite(), *sprite));
    auto terrain = reader.load(256, 256, (folder + "/data7.pcx").c_str());
    blurrer.blur(*terrain);
    blurrer.blur(*terrain);
    EXPECT_TRUE(samePixels(*scene.terrainPicture(), *terrain));
    for (int i = 0; i < 65536; ++i)
        ASSERT_EQ(scene.heights()[i], terrain->pixels()[i] & 0xFF);

    EXPECT_EQ(scene.getCameraX(), -2500.0f);
    EXPECT_EQ(scene.getCameraY(), -2500.0f);
    EXPECT_EQ(scene.getCameraAltitude(), 600.0f);
    EXPECT_EQ(scene.getHeading(), 500);
}

TEST_F(SceneSetup, AMissingPictureLeavesTheSceneNotReadyAndNamesIt)
{
    std::remove((folder + "/data3.pcx").c_str());
    std::remove((folder + "/data7.pcx").c_str());
    Scene scene;
    scene.setup(show::screenWidth, show::screenHeight, folder);
    EXPECT_FALSE(scene.ready());
    EXPECT_EQ(scene.missingPicture(), "data3.pcx");

    // Rendering refuses and leaves the frame as it was.
    Image frame;
    fillImage(frame, show::screenWidth, show::screenHeight, 0x123456);
    setTicks(0);
    DemoClock clock;
    clock.update();
    EXPECT_FALSE(scene.render(clock.getTime(), clock.getDelta(), frame));
    for (int i = 0; i < show::screenWidth * show::screenHeight; ++i)
        ASSERT_EQ(frame.pixels()[i], 0x123456u);
}

TEST_F(SceneSetup, ADirectoryInPlaceOfAPictureCountsAsMissing)
{
    std::remove((folder + "/data7.pcx").c_str());
    ASSERT_EQ(mkdir((folder + "/data7.pcx").c_str(), 0700), 0);
    Scene scene;
    scene.setup(show::screenWidth, show::screenHeight, folder);
    EXPECT_FALSE(scene.ready());
    EXPECT_EQ(scene.missingPicture(), "data7.pcx");
}

} // namespace
