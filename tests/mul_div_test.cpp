#include "appearance/mul_div.h"

#include <climits>
#include <gtest/gtest.h>

namespace petarino {
namespace {

TEST(MulDiv, RoundsToTheNearestWithHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(10, 96, 72), 13);   // 13.33
    EXPECT_EQ(MulDiv(-13, 72, 96), -10); // -9.75
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(3, 1, -2), -2);
    EXPECT_EQ(MulDiv(-3, -1, -2), -2);
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(2, 1, 3), 1);
    EXPECT_EQ(MulDiv(-2, 1, 3), -1);
    EXPECT_EQ(MulDiv(5, 1, 10), 1);
    EXPECT_EQ(MulDiv(4, 1, 10), 0);
}

TEST(MulDiv, MultipliesIn64Bits) {
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), -1) << "INT_MIN is out of range";
    EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 2), INT_MAX);
    EXPECT_EQ(MulDiv(-INT_MAX, 2, 2), -INT_MAX);
}

TEST(MulDiv, GivesMinusOneForNoDivisorOrAnOverflow) {
    EXPECT_EQ(MulDiv(10, 96, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 2, 1), -1);
}

} // namespace
} // namespace petarino
