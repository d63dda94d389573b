#include "matching/match_candidate.h"

#include "matching/likeliness_formula.h"

namespace wordgleaner {

MatchOutcome ClassifyMatch(const SearchResult& result, double veryLikelyThreshold) {
    if (result.count == 0) {
        return MatchOutcome::NotFound;
    }
    const double best = result.Best().score;
    bool soleExactMatch = result.count == 1 && best >= CaseInsensitiveScore;
    if (!soleExactMatch && !(ScoreToPercent(best) >= veryLikelyThreshold)) {
        return MatchOutcome::Likely;
    }
    if (best == ExactScore) {
        return MatchOutcome::Exact;
    }
    if (best == CaseInsensitiveScore) {
        return MatchOutcome::AlmostExact;
    }
    return MatchOutcome::VeryLikely;
}

}  // namespace wordgleaner
