#pragma once

#include <algorithm>
#include <cstdint>

#include "matching/likeliness_formula.h"

namespace wordgleaner {

// What word counts tell about a likeliness score before ComputeLikeliness
// runs, so that the indexed search can skip the reference texts that cannot
// become candidates. The search still scores every text it keeps with
// ComputeLikeliness; these bounds only decide what it may leave out.
//
// Notation of ComputeLikeliness: the mod text A has nA words and lenA bytes,
// the reference text B has nB words and lenB bytes; c counts the positions
// where a[i] equals b[i], c2 the occurrences a[i] that equal some word of B;
// D = |lenA - lenB| / lenA; t = minLikeliness / 100. B is a candidate when
// 100 * score > minLikeliness, that is score > t, and the score is
//   positional  c/nA - 0.1 D
//   word bag    c2/nA - 0.1 (1 - c/nA) - 0.1 D,  only when c/nA < 0.5 and D < 0.1.
// The bounds below score with the functions of likeliness_formula.h, the ones
// ComputeLikeliness scores with, fed with the counts they can vouch for; the
// reasoning holds for any positive weights and gate bounds.
// For every t >= 0 (a negative or NaN minimum is not filtered at all):
//
// 1. No shared word gives no candidate: c = c2 = 0 makes the score -0.1 D <= 0
//    or -0.1 - 0.1 D < 0, neither above t. So the search looks only at the
//    texts that some posting list of the mod text's words leads to.
// 2. Positional score: D >= 0, so c/nA - 0.1 D <= c/nA, above t only when
//    c > t nA; the smallest such c is MinPositionalMatches. And c <= nA gives
//    1 - 0.1 D > t, so D < 10 (1 - t): no text longer than
//    LongestPositionalReference bytes.
// 3. Word-bag score: it needs D < 0.1, a byte length within 10 % of lenA
//    (WordBagLengths). Since c <= c2 (a word matching at its position is also
//    found in B) and 1 - c/nA >= 0, the score is at most 1.1 c2/nA - 0.1; since
//    c/nA < 0.5, it is below c2/nA - 0.05. Both must exceed t, so
//    c2 > nA max(t + 0.05, (t + 0.1) / 1.1), which is more than t nA; the
//    smallest such c2 is MinSharedOccurrences (above nA from t >= 0.95 on: the
//    word bag never reaches 95 %).
// 4. Prefix: when c must reach K, order the mod text's positional words (a[i]
//    at i) by how few texts hold them. A text holding none of the first
//    nA - K + 1 has at most K - 1 positional matches, so walking those lists
//    finds every text that can reach K. The same holds for c2, counting
//    occurrences: a text holding none of the rarest words worth
//    nA - K2 + 1 occurrences has c2 <= K2 - 1.
// 5. Counting: a text met in some lists has c at most what those lists
//    counted plus the number of lists not walked (likewise c2 with the
//    occurrences of the words not walked). UpperScore turns such counts into a
//    score no smaller than the real one, and a text whose upper score cannot
//    exceed t is dropped unscored. Once all lists are walked the counts are
//    exact and ScoreBounds pins the score down to the rounding margin.
// 6. Only five candidates are kept, by |score| and then file order. A text
//    whose upper score is below the fifth best lower score among sure
//    candidates has at least five candidates of larger |score| before it in
//    that order, wherever they stand in the file, so it cannot be in the
//    result; the strict comparison keeps every tie.
//
// Rounding: counts and lengths are exact integers and the gate is decided on
// them exactly; the score values carry a margin far above the rounding error
// of double arithmetic, so a bound never decides a case that rounding could
// tip either way: those go to ComputeLikeliness.

// Ranges of byte lengths, both ends included.
struct LengthRange {
    std::int64_t shortest = 0;
    std::int64_t longest = 0;
};

// A score known to lie in [low, high].
struct ScoreBounds {
    double low = 0.0;
    double high = 0.0;
};

// The counts of one comparison; positionalMatches and sharedWords may be
// upper bounds for UpperScore.
struct ComparisonCounts {
    std::int32_t modWords = 0;
    std::int32_t modLength = 0;
    std::int32_t referenceLength = 0;
    std::int32_t positionalMatches = 0;
    std::int32_t sharedWords = 0;
};

// The smallest c whose positional score can exceed the minimum (at least 1,
// at most modWords + 1 meaning none can).
std::int32_t MinPositionalMatches(std::int32_t modWords, double minLikeliness);

// The smallest c2 whose word-bag score can exceed the minimum (at least 1, at
// most modWords + 1 meaning none can).
std::int32_t MinSharedOccurrences(std::int32_t modWords, double minLikeliness);

// Reference byte lengths whose positional score can exceed the minimum.
LengthRange PositionalLengths(std::int32_t modLength, double minLikeliness);

// Reference byte lengths for which the word-bag gate can open; a little wide.
LengthRange WordBagLengths(std::int32_t modLength);

// The per-text bounds are defined here, where the search can inline them:
// it calls them for every reference text it meets.
namespace likeliness_bounds_detail {

// In score units (1.0 is 100 %): a million times the rounding error of the
// few double operations a score takes, and far below the 1 / nA steps of a
// real score.
inline constexpr double RoundingMargin = 1e-9;

// The largest c for which RateOpensWordBag(c, modWords) holds, for modWords > 0.
inline std::int64_t MostPositionalInGate(std::int64_t modWords) {
    return (WordBagRateFraction.numerator * modWords - 1) / WordBagRateFraction.denominator;
}

}  // namespace likeliness_bounds_detail

// A score at least as high as the real one when the counts are upper bounds
// of the real counts. `wordBagPossible` false means the word-bag score cannot
// exceed the minimum for this text, so only the positional score matters.
inline double UpperScore(const ComparisonCounts& counts, bool wordBagPossible) {
    using namespace likeliness_bounds_detail;
    const double modWords = counts.modWords;
    const double lengthDifference = LengthDifference(counts.modLength, counts.referenceLength);
    const std::int64_t positional = std::min(counts.positionalMatches, counts.modWords);
    double high = PositionalScore(modWords, static_cast<double>(positional), lengthDifference);
    if (wordBagPossible && LengthOpensWordBag(counts.modLength, counts.referenceLength)) {
        // The gate caps c, and c <= c2.
        const std::int64_t gated = std::min<std::int64_t>(
            {positional, counts.sharedWords, MostPositionalInGate(counts.modWords)});
        const double shared = std::min(counts.sharedWords, counts.modWords);
        high = std::max(
            high, WordBagScore(modWords, static_cast<double>(std::max<std::int64_t>(gated, 0)),
                               shared, lengthDifference));
    }
    return high + RoundingMargin;
}

// The score for exact counts, within the rounding margin.
inline ScoreBounds BoundScore(const ComparisonCounts& counts) {
    using namespace likeliness_bounds_detail;
    const double modWords = counts.modWords;
    const double lengthDifference = LengthDifference(counts.modLength, counts.referenceLength);
    double score = PositionalScore(modWords, counts.positionalMatches, lengthDifference);
    if (WordBagGateOpens(counts.positionalMatches, counts.modWords, counts.modLength,
                         counts.referenceLength)) {
        score =
            WordBagScore(modWords, counts.positionalMatches, counts.sharedWords, lengthDifference);
    }
    return {score - RoundingMargin, score + RoundingMargin};
}

// Whether `score` makes a candidate, compared as the search compares: a text
// whose upper score is not above can be dropped, one whose lower score is
// above surely is a candidate.
inline bool AboveMinimum(double score, double minLikeliness) {
    return ScoreToPercent(score) > minLikeliness;
}

}  // namespace wordgleaner
