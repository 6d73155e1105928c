#include "fx/image_blur.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

TEST(ImageBlur, SpreadsASinglePixelDownAndToTheRight)
{
    Image image;
    fillImage(image, 7, 7, 0);
    image.pixels()[3 * 7 + 3] = 0xFFFFFF;
    ImageBlur().blur(image);

    const int expected[4][4] = {{0, 63, 15, 3}, {63, 31, 11, 3}, {15, 11, 5, 2}, {3, 3, 2, 1}};
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 7; ++x) {
            const bool inside = x >= 2 && x <= 5 && y >= 2 && y <= 5;
            const Pixel grey = inside ? static_cast<Pixel>(expected[y - 2][x - 2]) : 0;
            ASSERT_EQ(image.pixels()[y * 7 + x], grey * 0x010101u) << x << "," << y;
        }
    }
}

TEST(ImageBlur, CentreOfThreeByThreeTakesTheTruncatedAverageOfItsNeighbours)
{
    Image image;
    fillImage(image, 3, 3, 0x777777);
    Pixel* p = image.pixels();
    p[1] = 0x140A01;     // up:    red 20, green 10, blue 1
    p[3] = 0x281402;     // left:  red 40, green 20, blue 2
    p[5] = 0x3C1E03;     // right: red 60, green 30, blue 3
    p[7] = 0x502805;     // down:  red 80, green 40, blue 5
    ImageBlur().blur(image);
    EXPECT_EQ(p[4], 0x321902u); // 50, 25, 11/4 = 2
    EXPECT_EQ(p[0], 0x777777u);
    EXPECT_EQ(p[8], 0x777777u);
}

TEST(ImageBlur, LeavesBordersSolidColoursAndThinImagesAlone)
{
    ImageBlur blurrer;
    Image solid;
    fillImage(solid, 9, 6, 0x336699);
    for (int pass = 0; pass < 5; ++pass)
        blurrer.blur(solid);
    for (int i = 0; i < 9 * 6; ++i)
        ASSERT_EQ(solid.pixels()[i], 0x336699u);

    for (const auto& size : {std::pair<int, int>{2, 5}, {5, 2}, {1, 1}}) {
        Image thin;
        fillImage(thin, size.first, size.second, 0);
        thin.pixels()[0] = 0xFFFFFF;
        blurrer.blur(thin);
        EXPECT_EQ(thin.pixels()[0], 0xFFFFFFu);
        for (int i = 1; i < size.first * size.second; ++i)
            EXPECT_EQ(thin.pixels()[i], 0u);
    }

    Image framed;
    fillImage(framed, 5, 5, 0);
    for (int x = 0; x < 5; ++x) {
        framed.pixels()[x] = 0xFF0000;
        framed.pixels()[20 + x] = 0x00FF00;
    }
    blurrer.blur(framed);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(framed.pixels()[x], 0xFF0000u);
        EXPECT_EQ(framed.pixels()[20 + x], 0x00FF00u);
    }
}
