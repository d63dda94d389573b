#pragma once

#include <cstdint>

namespace wordgleaner {

// The constants of the likeliness measure. ComputeLikeliness applies them and
// the filters of the indexed search (likeliness_bounds.h) reason from them, so
// both read them here: a weight changed in one place only would let the
// filters drop texts the measure makes candidates.

// score = c/nA - LengthPenaltyWeight D, and in the word-bag pass
// score = c2/nA - OrderPenaltyWeight (1 - c/nA) - LengthPenaltyWeight D.
inline constexpr double LengthPenaltyWeight = 0.1;
inline constexpr double OrderPenaltyWeight = 0.1;

// The word-bag pass runs only when c/nA < WordBagMaxPositionalRate and
// D < WordBagMaxLengthDifference, both strict.
inline constexpr double WordBagMaxPositionalRate = 0.5;
inline constexpr double WordBagMaxLengthDifference = 0.1;

// A score is a fraction (1.0 is 100 %); likeliness is shown, and compared
// with the thresholds of the settings, in per cent.
inline constexpr double PercentScale = 100.0;

// A gate bound as numerator / denominator of small integers, so that the
// bounds can decide the gate on integer counts exactly. Found from the double
// itself, never written twice: the first denominator whose fraction rounds
// to exactly that double. Then a quotient of two counts below 2^31 lies on
// the same side of the bound as a double as it does as a fraction, since it
// either equals the fraction or differs from it by far more than rounding.
struct SmallFraction {
    std::int64_t numerator = 0;
    std::int64_t denominator = 0;  // 0: the value is no such fraction

    // part / whole < numerator / denominator, for 0 <= part and 0 < whole < 2^31.
    constexpr bool QuotientBelow(std::int64_t part, std::int64_t whole) const {
        return denominator * part < numerator * whole;
    }
};

consteval SmallFraction AsSmallFraction(double value) {
    constexpr std::int64_t LargestDenominator = 1000;
    for (std::int64_t denominator = 1; denominator <= LargestDenominator; ++denominator) {
        const double scaled = value * static_cast<double>(denominator);
        const auto numerator = static_cast<std::int64_t>(scaled);
        if (static_cast<double>(numerator) == scaled &&
            static_cast<double>(numerator) / static_cast<double>(denominator) == value) {
            return {numerator, denominator};
        }
    }
    return {};
}

inline constexpr SmallFraction WordBagRateFraction = AsSmallFraction(WordBagMaxPositionalRate);
inline constexpr SmallFraction WordBagLengthFraction = AsSmallFraction(WordBagMaxLengthDifference);
static_assert(WordBagRateFraction.denominator != 0 && WordBagLengthFraction.denominator != 0,
              "the word-bag gate must be a fraction of small integers for the bounds to test it");

}  // namespace wordgleaner
