// How the settings' number fields show and read numbers.

#include "frontend/number_text.h"

#include <gtest/gtest.h>

using namespace wordgleaner;

namespace {

TEST(NumberText, ShowsTheShortestFormWithFifteenDigitsAtMost) {
    EXPECT_EQ(FormatNumberField(50.0), "50");
    EXPECT_EQ(FormatNumberField(12.5), "12.5");
    EXPECT_EQ(FormatNumberField(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatNumberField(89.99), "89.99");
}

TEST(NumberText, ReadsDecimalNumbersWithBlanksSignsAndExponents) {
    EXPECT_EQ(ParseNumberField(" 95 "), 95.0);
    EXPECT_EQ(ParseNumberField("-0.5"), -0.5);
    EXPECT_EQ(ParseNumberField("+12.5"), 12.5);
    EXPECT_EQ(ParseNumberField("1e2"), 100.0);
}

TEST(NumberText, RefusesWhatIsNoNumber) {
    for (const char* text : {"", "  ", "12,5", "12a", "abc", "inf", "nan", "+-1", "1 2"}) {
        EXPECT_FALSE(ParseNumberField(text)) << text;
    }
}

}  // namespace
