#include "fx/image_blur.h"
#include "image/pcx_reader.h"
#include "scene/scene.h"
#include "support/show_files.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

class SceneSetup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(writeShowFiles(folder.path())); }

    // The picture as the loader reads it, at its size in the show.
    std::unique_ptr<Image> load(show::Part part)
    {
        const show::File& file = show::file(part);
        return reader.load(file.width, file.height, (folder / file.name).c_str());
    }

    const TemporaryFolder folder;
    PcxReader reader;
};

TEST_F(SceneSetup, PreparesEveryResourceBeforeTheFirstFrame)
{
    Scene scene;
    EXPECT_FALSE(scene.ready());
    ASSERT_TRUE(scene.setup(show::screenWidth, show::screenHeight, folder.path()));
    ASSERT_TRUE(scene.ready());

    for (int i = 0; i < show::screenWidth * show::screenHeight; ++i)
        ASSERT_EQ(scene.previous()[i], 0u);

    // The pristine copies are the cards as loaded; the cards are not blurred.
    const auto card1 = load(show::Part::title1);
    const auto card5 = load(show::Part::title5);
    EXPECT_TRUE(samePixels(scene.pristine1(), *card1));
    EXPECT_TRUE(samePixels(*scene.title(1), *card1));
    EXPECT_TRUE(samePixels(scene.pristine5(), *card5));

    // The sprite has three blur passes, the terrain picture two, and the
    // heights are the blue bytes of the blurred terrain picture.
    ImageBlur blurrer;
    auto sprite = load(show::Part::sprite);
    for (int pass = 0; pass < 3; ++pass)
        blurrer.blur(*sprite);
    EXPECT_TRUE(samePixels(*scene.sprite(), *sprite));
    auto terrain = load(show::Part::terrain);
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
    const char* const title3 = show::file(show::Part::title3).name;
    std::remove((folder / title3).c_str());
    std::remove((folder / show::file(show::Part::terrain).name).c_str());
    Scene scene;
    scene.setup(show::screenWidth, show::screenHeight, folder.path());
    EXPECT_FALSE(scene.ready());
    EXPECT_EQ(scene.missingPicture(), title3);

    // Rendering refuses and leaves the frame as it was.
    Image frame;
    fillImage(frame, show::screenWidth, show::screenHeight, 0x123456);
    EXPECT_FALSE(scene.render(show::clockStep, show::clockStep, frame));
    for (int i = 0; i < show::screenWidth * show::screenHeight; ++i)
        ASSERT_EQ(frame.pixels()[i], 0x123456u);
}

TEST_F(SceneSetup, ADirectoryInPlaceOfAPictureCountsAsMissing)
{
    const std::string terrain = folder / show::file(show::Part::terrain).name;
    std::remove(terrain.c_str());
    ASSERT_EQ(mkdir(terrain.c_str(), 0700), 0);
    Scene scene;
    scene.setup(show::screenWidth, show::screenHeight, folder.path());
    EXPECT_FALSE(scene.ready());
    EXPECT_EQ(scene.missingPicture(), show::file(show::Part::terrain).name);
}

} // namespace
