#include "fx/clamp_tables.h"
#include "fx/shade_tables.h"

#include <gtest/gtest.h>

TEST(ClampTables, ClampAndShiftIntoPlace)
{
    ClampTables tables;
    const std::int32_t* red = tables.redTable();
    const std::int32_t* green = tables.greenTable();
    const std::int32_t* blue = tables.blueTable();
    for (int k = 0; k <= 255; ++k) {
        ASSERT_EQ(red[k], 0);
        ASSERT_EQ(green[k], 0);
        ASSERT_EQ(blue[k], 0);
    }
    EXPECT_EQ(red[256], 1 << 16);
    EXPECT_EQ(green[256], 1 << 8);
    EXPECT_EQ(blue[256], 1);
    EXPECT_EQ(blue[255 + 137], 137);
    for (int k = 510; k < 768; ++k) {
        ASSERT_EQ(red[k], 255 << 16);
        ASSERT_EQ(green[k], 255 << 8);
        ASSERT_EQ(blue[k], 255);
    }
}

TEST(ShadeTables, RampFromRedTowardsYellowWithNoBlue)
{
    ShadeTables shades;
    const int samples[][3] = {{0, 0, 0},       {255, 0, 0},     {256, 1, 0},   {382, 127, 0},
                              {383, 128, 0},   {384, 129, 2},   {385, 130, 4}, {509, 254, 252},
                              {510, 255, 254}, {767, 255, 254}};
    for (const auto& s : samples) {
        EXPECT_EQ(shades.red[s[0]], s[1]) << "k " << s[0];
        EXPECT_EQ(shades.green[s[0]], s[2]) << "k " << s[0];
    }
    for (int k = 0; k < 768; ++k)
        ASSERT_EQ(shades.blue[k], 0);
}
