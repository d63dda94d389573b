#include "matching/likeliness_bounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wordgleaner {

namespace {

using namespace likeliness_bounds_detail;

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

}  // namespace

std::int32_t MinPositionalMatches(std::int32_t modWords, double minLikeliness) {
    return SmallestCountAbove(modWords, PercentToScore(minLikeliness));
}

std::int32_t MinSharedOccurrences(std::int32_t modWords, double minLikeliness) {
    // The order penalty is at least this while the gate is open: 0.05.
    constexpr double GateRateMargin = OrderPenaltyWeight * (1.0 - WordBagMaxPositionalRate);
    constexpr double OrderBonus = 1.0 + OrderPenaltyWeight;  // 1.1
    const double fraction = PercentToScore(minLikeliness);
    const double needed =
        std::max(fraction + GateRateMargin, (fraction + OrderPenaltyWeight) / OrderBonus);
    return SmallestCountAbove(modWords, needed);
}

LengthRange PositionalLengths(std::int32_t modLength, double minLikeliness) {
    // D < 10 (1 - t), widened by a byte and the margin on either side.
    const double reach =
        (1.0 - PercentToScore(minLikeliness) + RoundingMargin) / LengthPenaltyWeight;
    const double spread = static_cast<double>(modLength) * reach;
    const double limit = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    const double shortest = std::floor(static_cast<double>(modLength) - spread) - 1;
    const double longest = std::ceil(static_cast<double>(modLength) + spread) + 1;
    return {static_cast<std::int64_t>(std::clamp(shortest, -1.0, limit)),
            static_cast<std::int64_t>(std::clamp(longest, -1.0, limit))};
}

LengthRange WordBagLengths(std::int32_t modLength) {
    // |lenA - lenB| < lenA / 10, one byte wider on each side.
    const std::int64_t reach = std::int64_t{modLength} * WordBagLengthFraction.numerator /
                               WordBagLengthFraction.denominator;
    return {std::int64_t{modLength} - reach - 1, std::int64_t{modLength} + reach + 1};
}

}  // namespace wordgleaner
