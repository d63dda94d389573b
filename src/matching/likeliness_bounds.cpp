#include "matching/likeliness_bounds.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The weights and gate of ComputeLikeliness.
constexpr double LengthPenaltyWeight = 0.1;
constexpr double OrderPenaltyWeight = 0.1;
constexpr double WordBagGateRate = 0.5;
constexpr double PercentScale = 100.0;
// In score units (1.0 is 100 %): a million times the rounding error of the
// few double operations a score takes, and far below the 1 / nA steps of a
// real score.
constexpr double RoundingMargin = 1e-9;

double Fraction(double minLikeliness) {
    return minLikeliness / PercentScale;
}

// The smallest count k with k > modWords * fraction (less the margin), kept
// within [1, modWords + 1]. A count of 0 never gives a candidate (a score of
// at most 0), hence the 1.
std::int32_t SmallestCountAbove(std::int32_t modWords, double fraction) {
    const double needed = static_cast<double>(modWords) * (fraction - RoundingMargin);
    if (!(needed < modWords)) {
        return modWords + 1;
    }
    if (needed < 0.0) {
        return 1;
    }
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::floor(needed)) + 1);
}

double LengthDifference(const ComparisonCounts& counts) {
    return std::abs(static_cast<double>(counts.modLength) -
                    static_cast<double>(counts.referenceLength)) /
           static_cast<double>(counts.modLength);
}

double PositionalScore(double modWords, double positional, double lengthDifference) {
    return positional / modWords - LengthPenaltyWeight * lengthDifference;
}

double WordBagScore(double modWords, double positional, double shared, double lengthDifference) {
    return shared / modWords - OrderPenaltyWeight * (1 - positional / modWords) -
           LengthPenaltyWeight * lengthDifference;
}

// The gate of ComputeLikeliness, c/nA < 0.5 and D < 0.1, on the integers: a
// quotient of two counts below 2^31 is never within rounding reach of 0.5 or
// 0.1 unless it equals them, so these tests agree with the double ones.
bool RateOpensGate(std::int64_t positional, std::int64_t modWords) {
    return 2 * positional < modWords;
}

bool LengthOpensGate(const ComparisonCounts& counts) {
    const std::int64_t difference =
        std::llabs(std::int64_t{counts.modLength} - std::int64_t{counts.referenceLength});
    return 10 * difference < std::int64_t{counts.modLength};
}

}  // namespace

std::int32_t MinPositionalMatches(std::int32_t modWords, double minLikeliness) {
    return SmallestCountAbove(modWords, Fraction(minLikeliness));
}

std::int32_t MinSharedOccurrences(std::int32_t modWords, double minLikeliness) {
    constexpr double GateRateMargin = OrderPenaltyWeight * WordBagGateRate;  // 0.05
    constexpr double OrderBonus = 1.0 + OrderPenaltyWeight;                  // 1.1
    const double fraction = Fraction(minLikeliness);
    const double needed =
        std::max(fraction + GateRateMargin, (fraction + OrderPenaltyWeight) / OrderBonus);
    return SmallestCountAbove(modWords, needed);
}

LengthRange PositionalLengths(std::int32_t modLength, double minLikeliness) {
    // D < 10 (1 - t), widened by a byte and the margin on either side.
    const double reach = (1.0 - Fraction(minLikeliness) + RoundingMargin) / LengthPenaltyWeight;
    const double spread = static_cast<double>(modLength) * reach;
    const double limit = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    const double shortest = std::floor(static_cast<double>(modLength) - spread) - 1;
    const double longest = std::ceil(static_cast<double>(modLength) + spread) + 1;
    return {static_cast<std::int64_t>(std::clamp(shortest, -1.0, limit)),
            static_cast<std::int64_t>(std::clamp(longest, -1.0, limit))};
}

LengthRange WordBagLengths(std::int32_t modLength) {
    // |lenA - lenB| < lenA / 10, one byte wider on each side.
    const std::int64_t tenth = std::int64_t{modLength} / 10;
    return {std::int64_t{modLength} - tenth - 1, std::int64_t{modLength} + tenth + 1};
}

double UpperScore(const ComparisonCounts& counts, bool wordBagPossible) {
    const double modWords = counts.modWords;
    const double lengthDifference = LengthDifference(counts);
    const std::int64_t positional = std::min(counts.positionalMatches, counts.modWords);
    double high = PositionalScore(modWords, static_cast<double>(positional), lengthDifference);
    if (wordBagPossible && LengthOpensGate(counts)) {
        // The gate needs 2c < nA, and c <= c2.
        const std::int64_t gated = std::min<std::int64_t>(
            {positional, counts.sharedWords, (std::int64_t{counts.modWords} - 1) / 2});
        const double shared = std::min(counts.sharedWords, counts.modWords);
        high = std::max(
            high, WordBagScore(modWords, static_cast<double>(std::max<std::int64_t>(gated, 0)),
                               shared, lengthDifference));
    }
    return high + RoundingMargin;
}

ScoreBounds BoundScore(const ComparisonCounts& counts) {
    const double modWords = counts.modWords;
    const double lengthDifference = LengthDifference(counts);
    double score = PositionalScore(modWords, counts.positionalMatches, lengthDifference);
    if (RateOpensGate(counts.positionalMatches, counts.modWords) && LengthOpensGate(counts)) {
        score =
            WordBagScore(modWords, counts.positionalMatches, counts.sharedWords, lengthDifference);
    }
    return {score - RoundingMargin, score + RoundingMargin};
}

bool AboveMinimum(double score, double minLikeliness) {
    return PercentScale * score > minLikeliness;
}
