// How every front end reads the numbers a person types, and shows them back.

#include "job/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "matching/output/number_format.h"

using namespace wordgleaner;

namespace {

TEST(NumberText, ReadsDecimalNumbersWithBlanksSignsAndExponents) {
    EXPECT_EQ(ParseDecimal(" 95 "), 95.0);
    EXPECT_EQ(ParseDecimal("-0.5"), -0.5);
    EXPECT_EQ(ParseDecimal("+12.5"), 12.5);
    EXPECT_EQ(ParseDecimal("1e2"), 100.0);
    EXPECT_EQ(ParseDecimal("010"), 10.0);
}

TEST(NumberText, MinusZeroIsReadAsZero) {
    const std::optional<double> zero = ParseDecimal("-0");
    ASSERT_TRUE(zero);
    EXPECT_FALSE(std::signbit(*zero));
    EXPECT_EQ(FormatShortest(*zero), "0");
}

TEST(NumberText, RefusesWhatIsNoNumber) {
    for (const char* text :
         {"", "  ", "12,5", "12a", "abc", "inf", "nan", "+-1", "1 2", "0x10", "12.5%", "1e400"}) {
        EXPECT_FALSE(ParseDecimal(text)) << text;
    }
}

TEST(NumberText, ReadsWholeNumbersOfThirtyTwoBitsOnly) {
    EXPECT_EQ(ParseWhole(" 1252 "), 1252);
    EXPECT_EQ(ParseWhole("+932"), 932);
    EXPECT_EQ(ParseWhole("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseWhole("010"), 10);
    for (const char* text : {"", "1.5", "2147483648", "12x", "0x10", "+-1", "1 2"}) {
        EXPECT_FALSE(ParseWhole(text)) << text;
    }
}

TEST(NumberText, WhatIsShownReadsBackAsTheSameNumber) {
    for (double value : {50.0, 12.5, 0.1 + 0.2, 89.99, 100.0 / 3.0, -1.0}) {
        EXPECT_EQ(ParseDecimal(FormatShortest(value)), value) << FormatShortest(value);
    }
    EXPECT_EQ(FormatShortest(50.0), "50");
}

}  // namespace
