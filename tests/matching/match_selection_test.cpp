#include <gtest/gtest.h>

#include <vector>

#include "matching/match_candidate.h"
#include "matching/reference_search.h"

using namespace wordgleaner;

namespace {

SearchResult Offered(const std::vector<MatchCandidate>& candidates) {
    SearchResult result;
    for (const MatchCandidate& candidate : candidates) {
        OfferCandidate(result, candidate);
    }
    return result;
}

std::vector<std::int32_t> Ids(const SearchResult& result) {
    std::vector<std::int32_t> ids;
    for (const MatchCandidate& candidate : result.Found()) {
        ids.push_back(candidate.referenceId);
    }
    return ids;
}

TEST(OfferCandidate, KeepsFileOrderBetweenEqualMagnitudes) {
    SearchResult result =
        Offered({{1, 0.6}, {2, -0.6}, {3, 0.7}, {4, 0.6}, {5, 0.6}, {6, 0.6}, {7, 0.7}});
    EXPECT_EQ(Ids(result), (std::vector<std::int32_t>{3, 7, 1, 2, 4}));
}

SearchResult Single(double score) {
    SearchResult result;
    result.slots[0] = {1, score};
    result.count = 1;
    return result;
}

TEST(ClassifyMatch, TellsTheExactMarkersApart) {
    EXPECT_EQ(ClassifyMatch(SearchResult{}, 95.0), MatchOutcome::NotFound);
    EXPECT_EQ(ClassifyMatch(Single(ExactScore), 100.0), MatchOutcome::Exact);
    EXPECT_EQ(ClassifyMatch(Single(CaseInsensitiveScore), 100.0), MatchOutcome::AlmostExact);
}

TEST(ClassifyMatch, AcceptsALikelinessFromTheThresholdOn) {
    EXPECT_EQ(ClassifyMatch(Single(0.95), 95.0), MatchOutcome::VeryLikely);
    EXPECT_EQ(ClassifyMatch(Single(0.96875), 96.875), MatchOutcome::VeryLikely);
    EXPECT_EQ(ClassifyMatch(Single(0.96875), 96.875001), MatchOutcome::Likely);
    EXPECT_EQ(ClassifyMatch(Single(1.0), 100.0), MatchOutcome::VeryLikely);
}

TEST(ClassifyMatch, NeverAcceptsAWrongSoundInFrontEvenWithAGoodOneBehind) {
    EXPECT_EQ(ClassifyMatch(Single(-1.0), 90.0), MatchOutcome::Likely);
    SearchResult result;
    result.slots[0] = {1, -0.99};
    result.slots[1] = {2, 0.98};
    result.count = 2;
    EXPECT_EQ(ClassifyMatch(result, 95.0), MatchOutcome::Likely);
}

TEST(ClassifyMatch, LikelyBelowTheThreshold) {
    EXPECT_EQ(ClassifyMatch(Single(0.9499), 95.0), MatchOutcome::Likely);
}

}  // namespace
