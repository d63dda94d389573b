// The bar's sums in double precision: what it fills and what it reads.

#include "frontend/bar_arithmetic.h"

#include <gtest/gtest.h>

#include <climits>

using namespace wordgleaner;

namespace {

std::string TextAt(int position, int lower = 0, int upper = 100) {
    return PercentText(BarFraction(position, lower, upper));
}

TEST(BarArithmetic, PercentagesTruncateTheDoubleProductNotTheExactOne) {
    EXPECT_EQ(TextAt(29), "28%");
    EXPECT_EQ(TextAt(57), "56%");
    EXPECT_EQ(TextAt(58), "57%");
    for (int position = 0; position <= 100; ++position) {
        if (position != 29 && position != 57 && position != 58) {
            EXPECT_EQ(TextAt(position), std::to_string(position) + "%") << position;
        }
    }
    EXPECT_EQ(TextAt(2, 0, 3), "66%");
}

TEST(BarArithmetic, PositionsOutsideTheRangeAreReadAsTheyAre) {
    EXPECT_EQ(TextAt(150), "150%");
    EXPECT_EQ(TextAt(-10), "-10%");
    EXPECT_EQ(FilledLength(200, BarFraction(150, 0, 100)), 300);
}

TEST(BarArithmetic, HalfOfTwoHundredPixelsIsOneHundred) {
    EXPECT_EQ(FilledLength(200, BarFraction(50, 0, 100)), 100);
    EXPECT_EQ(FilledLength(296, BarFraction(1, 0, 100)), 2);
}

TEST(BarArithmetic, AnEmptyRangeSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(FilledLength(100, BarFraction(5, 10, 10)), INT_MIN);
    EXPECT_EQ(TruncateToInt(BarFraction(0, 0, 0)), 0);  // 0 / 0
    EXPECT_EQ(TruncateToInt(1e300), INT_MAX);
}

TEST(BarArithmetic, TheOwnersTextReplacesThePercentage) {
    EXPECT_EQ(BarText("File 2 of 3: a.tra", 0.5), "File 2 of 3: a.tra");
    EXPECT_EQ(BarText("", 0.5), "50%");
}

}  // namespace
