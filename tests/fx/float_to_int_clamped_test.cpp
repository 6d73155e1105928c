#include "fx/float_to_int.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// The branch-free conversion gives truncToInt's result everywhere, in
// particular at and around the ends of the int range and for NaN.
TEST(TruncToIntClamped, AgreesWithTruncToInt)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {0.0, -0.0, 0.5, -0.5, -0.99, -1.0, 2499.999, -10.5, 2147483646.5,
                             2147483647.0, 2147483647.5, 2147483648.0, -2147483647.5,
                             -2147483648.0, -2147483648.5, -2147483649.0, 1e30, -1e30, inf, -inf,
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::denorm_min()};
    for (double v : values)
        EXPECT_EQ(truncToIntClamped(v), truncToInt(v)) << v;
    for (double v = -3e9; v < 3e9; v += 12345678.9)
        ASSERT_EQ(truncToIntClamped(v), truncToInt(v)) << v;
}
