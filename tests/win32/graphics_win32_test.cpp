#include "appearance/mul_div.h"
#include "platform/win32/graphics_win32.h"

#include <windows.h>
#include <climits>
#include <gtest/gtest.h>

namespace petarino {
namespace {

TEST(Win32Graphics, AStandardScreenHas96PixelsPerInch) {
    win32::Win32Graphics graphics;
    EXPECT_EQ(graphics.ScreenPixelsPerInch(), 96) << "the density of a fresh Wine prefix";
}

// The portable MulDiv against the system's, around every place where rounding, signs and
// the 32-bit range decide. INT_MIN stays out: Wine negates a negative divisor in 32 bits,
// which wraps there, and its answers are then not those of the arithmetic.
TEST(MulDiv, RoundsAsTheSystemsMulDiv) {
    const int values[] = {0,     1,           2,       3,           5,       7,   9,    10,
                          12,    13,          72,      96,          120,     144, 1000, 46341,
                          65536, INT_MAX / 2, INT_MAX, -1,          -2,      -3,  -5,   -7,
                          -9,    -10,         -12,     -13,         -72,     -96, -120, -144,
                          -1000, -46341,      -65536,  INT_MIN / 2, -INT_MAX};
    int compared = 0;
    for (const int number : values)
        for (const int numerator : values)
            for (const int denominator : values) {
                ASSERT_EQ(petarino::MulDiv(number, numerator, denominator),
                          ::MulDiv(number, numerator, denominator))
                    << number << " * " << numerator << " / " << denominator;
                ++compared;
            }
    EXPECT_EQ(compared, 37 * 37 * 37);
}

} // namespace
} // namespace petarino
