#include "matching/output/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

#include "matching/likeliness_formula.h"

namespace wordgleaner {

namespace {

constexpr int LikelinessDecimals = 1;
constexpr int SignificandBits = std::numeric_limits<double>::digits;  // 53
constexpr int WordBits = 64;

std::uint64_t PowerOfTen(int exponent) {
    std::uint64_t power = 1;
    for (int i = 0; i < exponent; ++i) {
        power *= 10;
    }
    return power;
}

// Large magnitudes are whole numbers, so printing them involves no rounding.
std::string FormatWholeNumber(double magnitude, int decimals) {
    char buffer[400];
    auto result = std::to_chars(std::begin(buffer), std::end(buffer), magnitude,
                                std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return "inf";
    }
    return std::string(buffer, result.ptr);
}

// magnitude × 10^decimals rounded half away from zero, computed exactly:
// magnitude = significand × 2^exponent with a 53-bit integer significand, and
// significand × 10^decimals still fits in 64 bits.
std::uint64_t ScaleAndRound(double magnitude, int decimals) {
    int exponent = 0;
    double fraction = std::frexp(magnitude, &exponent);
    auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, SignificandBits));
    int shift = SignificandBits - exponent;  // magnitude = significand / 2^shift
    std::uint64_t scaled = significand * PowerOfTen(decimals);
    if (shift >= WordBits) {
        return 0;  // scaled < 2^63 is below half of 2^shift
    }
    std::uint64_t whole = scaled >> shift;
    std::uint64_t remainder = scaled - (whole << shift);
    std::uint64_t half = std::uint64_t{1} << (shift - 1);
    return remainder >= half ? whole + 1 : whole;
}

std::string FormatScaled(std::uint64_t scaled, int decimals) {
    std::uint64_t unit = PowerOfTen(decimals);
    std::string text = std::to_string(scaled / unit);
    if (decimals > 0) {
        std::string fraction = std::to_string(scaled % unit);
        text += '.';
        text.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
        text += fraction;
    }
    return text;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    decimals = std::clamp(decimals, 0, MaxFixedDecimals);
    std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value)) {
        return sign + "nan";
    }
    double magnitude = std::abs(value);
    if (std::isinf(magnitude)) {
        return sign + "inf";
    }
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    if (magnitude == 0.0 || exponent >= SignificandBits) {
        return sign + FormatWholeNumber(magnitude, decimals);
    }
    return sign + FormatScaled(ScaleAndRound(magnitude, decimals), decimals);
}

std::string FormatShortest(double value) {
    char buffer[32];  // the longest shortest double, "-2.2250738585072014e-308", fits
    auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    return std::string(buffer, result.ptr);
}

std::string FormatLikelinessPercent(double percent) {
    return FormatFixed(percent, LikelinessDecimals);
}

std::string FormatLikeliness(double score) {
    return FormatLikelinessPercent(ScoreToPercent(score));
}

}  // namespace wordgleaner
