#include "image/image.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Image, StartsEmptyAndCopiesNothing)
{
    Image image;
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
    EXPECT_EQ(image.pixels(), nullptr);
    Pixel sentinel = 0x123456;
    image.copyPixelsTo(&sentinel);
    EXPECT_EQ(sentinel, 0x123456u);
}

TEST(Image, ResizeReplacesTheBufferAndKeepsTheSizeAcrossSetPixels)
{
    Image image;
    Pixel* first = image.resize(4, 3);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(image.width(), 4);
    EXPECT_EQ(image.height(), 3);
    EXPECT_EQ(image.pixels(), first);

    std::vector<Pixel> borrowed(12, 7);
    image.setPixels(borrowed.data());
    EXPECT_EQ(image.pixels(), borrowed.data());
    EXPECT_EQ(image.width(), 4);
    EXPECT_EQ(image.height(), 3);

    // Resizing again takes a buffer of its own and never frees the borrowed one.
    Pixel* second = image.resize(2, 2);
    EXPECT_NE(second, borrowed.data());
    EXPECT_EQ(borrowed[0], 7u);
}

TEST(Image, CopyPixelsCopiesExactlyTheSourceSize)
{
    Image image;
    image.resize(3, 2);
    for (int i = 0; i < 6; ++i)
        image.pixels()[i] = static_cast<Pixel>(i + 1);
    std::vector<Pixel> destination(10, 0xABCDEF);
    image.copyPixelsTo(destination.data());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(destination[i], static_cast<Pixel>(i + 1));
    for (int i = 6; i < 10; ++i)
        EXPECT_EQ(destination[i], 0xABCDEFu);
}

TEST(Image, NonPositiveSizeGivesAnEmptyImage)
{
    Image image;
    EXPECT_EQ(image.resize(-5, 10), nullptr);
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
}
