#pragma once

#include <cstdint>
#include <cstdlib>

namespace wordgleaner {

// The constants and the arithmetic of the likeliness measure.
// ComputeLikeliness scores with the functions at the end of this file, and the
// filters of the indexed search (likeliness_bounds.h) call the same functions
// with the counts they can vouch for: a weight or a gate changed here changes
// both, so the filters can never drop a text the measure makes a candidate.

// score = c/nA - LengthPenaltyWeight D, and in the word-bag pass
// score = c2/nA - OrderPenaltyWeight (1 - c/nA) - LengthPenaltyWeight D.
inline constexpr double LengthPenaltyWeight = 0.1;
inline constexpr double OrderPenaltyWeight = 0.1;

// The word-bag pass runs only when c/nA < WordBagMaxPositionalRate and
// D < WordBagMaxLengthDifference, both strict.
inline constexpr double WordBagMaxPositionalRate = 0.5;
inline constexpr double WordBagMaxLengthDifference = 0.1;

// A score is a fraction (1.0 is 100 %); likeliness is shown, and compared
// with the thresholds of the settings, in per cent. These two are the only
// conversions between the two.
inline constexpr double PercentScale = 100.0;

constexpr double ScoreToPercent(double score) {
    return PercentScale * score;
}

constexpr double PercentToScore(double percent) {
    return percent / PercentScale;
}

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

// D = |lenA - lenB| / lenA, for lenA > 0.
inline double LengthDifference(std::int64_t modLength, std::int64_t referenceLength) {
    return static_cast<double>(std::llabs(modLength - referenceLength)) /
           static_cast<double>(modLength);
}

// c/nA - 0.1 D, for nA > 0.
inline double PositionalScore(double modWords, double positional, double lengthDifference) {
    return positional / modWords - LengthPenaltyWeight * lengthDifference;
}

// c2/nA - 0.1 (1 - c/nA) - 0.1 D, for nA > 0.
inline double WordBagScore(double modWords, double positional, double shared,
                           double lengthDifference) {
    return shared / modWords - OrderPenaltyWeight * (1 - positional / modWords) -
           LengthPenaltyWeight * lengthDifference;
}

// Whether the word-bag score replaces the positional one: c/nA < 0.5 and
// D < 0.1, decided on the integer counts through the fractions above, so
// that a count right at a bound is judged the same everywhere.
inline bool RateOpensWordBag(std::int64_t positional, std::int64_t modWords) {
    return WordBagRateFraction.QuotientBelow(positional, modWords);
}

inline bool LengthOpensWordBag(std::int64_t modLength, std::int64_t referenceLength) {
    return WordBagLengthFraction.QuotientBelow(std::llabs(modLength - referenceLength), modLength);
}

inline bool WordBagGateOpens(std::int64_t positional, std::int64_t modWords, std::int64_t modLength,
                             std::int64_t referenceLength) {
    return RateOpensWordBag(positional, modWords) && LengthOpensWordBag(modLength, referenceLength);
}

}  // namespace wordgleaner
