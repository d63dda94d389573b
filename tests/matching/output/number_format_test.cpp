#include "matching/output/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

using namespace wordgleaner;

namespace {

std::string Printf(double value, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

TEST(FormatFixed, RoundsExactTiesAwayFromZero) {
    EXPECT_EQ(FormatFixed(97.25, 1), "97.3");
    EXPECT_EQ(FormatFixed(0.25, 1), "0.3");
    EXPECT_EQ(FormatFixed(0.5, 0), "1");
    EXPECT_EQ(FormatFixed(2.5, 0), "3");
    EXPECT_EQ(FormatFixed(90.125, 2), "90.13");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
}

TEST(FormatFixed, RoundsNegativeTiesAwayFromZero) {
    EXPECT_EQ(FormatFixed(-97.25, 1), "-97.3");
    EXPECT_EQ(FormatFixed(-90.125, 2), "-90.13");
    EXPECT_EQ(FormatFixed(-1.5384615384615385, 1), "-1.5");
    EXPECT_EQ(FormatFixed(-10.0, 1), "-10.0");
}

TEST(FormatFixed, JudgesNearTiesOnTheStoredBinaryValue) {
    // 0.15 and 0.35 are stored just below the tie, 0.45 just above it.
    EXPECT_EQ(FormatFixed(0.15, 1), "0.1");
    EXPECT_EQ(FormatFixed(0.35, 1), "0.3");
    EXPECT_EQ(FormatFixed(0.45, 1), "0.5");
    EXPECT_EQ(FormatFixed(std::nextafter(97.25, 0.0), 1), "97.2");
    EXPECT_EQ(FormatFixed(std::nextafter(97.25, 100.0), 1), "97.3");
    EXPECT_EQ(FormatFixed(std::nextafter(-90.125, 0.0), 2), "-90.12");
    EXPECT_EQ(FormatFixed(1.005, 2), "1.00");  // stored as 1.00499999...
}

TEST(FormatFixed, CarriesIntoTheWholePart) {
    EXPECT_EQ(FormatFixed(99.95, 1), "100.0");  // stored just above the tie
    EXPECT_EQ(FormatFixed(9.995, 2), "9.99");   // stored just below
    EXPECT_EQ(FormatFixed(0.96875 * 100, 2), "96.88");
    EXPECT_EQ(FormatFixed(999.96, 1), "1000.0");
}

TEST(FormatFixed, PrintsWholeAndTinyAndSpecialValuesAsPrintfDoes) {
    EXPECT_EQ(FormatFixed(0.0, 1), "0.0");
    EXPECT_EQ(FormatFixed(-0.0, 1), "-0.0");
    EXPECT_EQ(FormatFixed(-0.04, 1), "-0.0");
    EXPECT_EQ(FormatFixed(95.0, 2), "95.00");
    EXPECT_EQ(FormatFixed(1e300, 1), Printf(1e300, 1));
    EXPECT_EQ(FormatFixed(9007199254740993.0, 2), Printf(9007199254740993.0, 2));
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::denorm_min(), 1), "0.0");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 1), "inf");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 1), "-inf");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 1), "nan");
}

// Away from exact ties the C library's correctly rounded output is the reference.
TEST(FormatFixed, AgreesWithPrintfOnEveryValueThatIsNoExactTie) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> percent(-200.0, 200.0);
    std::uniform_int_distribution<int> exponent(-30, 60);
    for (int i = 0; i < 100000; ++i) {
        double value = i % 2 == 0 ? percent(random) : std::ldexp(percent(random), exponent(random));
        for (int decimals = 0; decimals <= MaxFixedDecimals; ++decimals) {
            // Scaling only the fraction keeps an exact tie exact at any magnitude.
            double scaled = std::abs(value - std::trunc(value)) * std::pow(10.0, decimals);
            bool maybeTie = scaled - std::trunc(scaled) == 0.5;
            if (!maybeTie) {
                ASSERT_EQ(FormatFixed(value, decimals), Printf(value, decimals))
                    << "value " << Printf(value, 20) << " decimals " << decimals;
            }
        }
    }
}

TEST(FormatShortest, GivesTheShortestTextThatReadsBackAsTheSameNumber) {
    EXPECT_EQ(FormatShortest(50.0), "50");
    EXPECT_EQ(FormatShortest(0.0), "0");
    EXPECT_EQ(FormatShortest(12.5), "12.5");
    EXPECT_EQ(FormatShortest(0.1), "0.1");
    EXPECT_EQ(FormatShortest(-89.99), "-89.99");
    EXPECT_EQ(FormatShortest(-2.2250738585072014e-308), "-2.2250738585072014e-308");
}

// Scores are fractions; the comments and the patch show per cent, signed.
TEST(FormatLikeliness, ShowsAScoreAsAPercentageWithOneDecimal) {
    EXPECT_EQ(FormatLikeliness(0.99412), "99.4");
    EXPECT_EQ(FormatLikeliness(0.9725), "97.3");
    EXPECT_EQ(FormatLikeliness(1.0), "100.0");
    EXPECT_EQ(FormatLikeliness(-0.015), "-1.5");
}

}  // namespace
