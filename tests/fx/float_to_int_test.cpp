#include "fx/float_to_int.h"

#include <gtest/gtest.h>

#include <limits>

TEST(TruncToInt, TruncatesTowardZeroAndSaturatesOutsideTheIntRange)
{
    EXPECT_EQ(truncToInt(-10.5), -10);
    EXPECT_EQ(truncToInt(-0.99), 0);
    EXPECT_EQ(truncToInt(2499.999), 2499);
    EXPECT_EQ(truncToInt(-2147483648.0), INT32_MIN);
    EXPECT_EQ(truncToInt(2147483647.0), INT32_MAX);
    EXPECT_EQ(truncToInt(1e30), INT32_MAX);
    EXPECT_EQ(truncToInt(-std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(truncToInt(std::numeric_limits<double>::quiet_NaN()), INT32_MIN);
}
