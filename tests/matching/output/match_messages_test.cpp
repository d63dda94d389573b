#include "matching/output/match_messages.h"

#include <gtest/gtest.h>

#include <vector>

using namespace wordgleaner;

namespace {

TEST(MatchFoundMessage, NamesTheReferenceAndTheBestId) {
    EXPECT_EQ(MatchFoundMessage(MatchOutcome::Exact, "dialog.tra", {1234, ExactScore}),
              "Wordgleaner: case sensitive exact match found in file dialog.tra at Id 1234\n");
    EXPECT_EQ(
        MatchFoundMessage(MatchOutcome::AlmostExact, "dialog.tra", {-7, CaseInsensitiveScore}),
        "Wordgleaner: case insensitive exact match found in file dialog.tra at Id -7\n");
    EXPECT_EQ(MatchFoundMessage(MatchOutcome::VeryLikely, "dialog.tra", {2001, 0.975}),
              "Wordgleaner: Very likely string found in file dialog.tra at Id 2001, likeliness "
              "97.5 %\n");
}

TEST(MatchFoundMessage, RoundsAnExactTieOfTheLikelinessAwayFromZero) {
    EXPECT_EQ(MatchFoundMessage(MatchOutcome::VeryLikely, "r", {1, 0.9725}),
              "Wordgleaner: Very likely string found in file r at Id 1, likeliness 97.3 %\n");
}

TEST(LikelyMessage, ListsEveryCandidateInSlotOrderWithoutSignAndWithTheSoundMark) {
    std::vector<MatchCandidate> candidates = {{77, -0.8}, {12, 0.6125}, {3, 0.5000001}};
    EXPECT_EQ(LikelyMessage(std::vector<std::string>{"ref.tra"}, candidates),
              "Wordgleaner: Likely string found in file ref.tra at Id 77, likeliness 80.0 % but "
              "wrong sound\n"
              "Wordgleaner: Likely string found in file ref.tra at Id 12, likeliness 61.3 %\n"
              "Wordgleaner: Likely string found in file ref.tra at Id 3, likeliness 50.0 %\n");
}

TEST(LikelyMessage, NamesEachCandidatesOwnReferenceFile) {
    std::vector<MatchCandidate> candidates = {{4, 0.9, 1}, {4, 0.7, 0}};
    EXPECT_EQ(LikelyMessage(std::vector<std::string>{"game.tra", "old/dialog.tra"}, candidates),
              "Wordgleaner: Likely string found in file old/dialog.tra at Id 4, likeliness 90.0 %\n"
              "Wordgleaner: Likely string found in file game.tra at Id 4, likeliness 70.0 %\n");
}

TEST(Messages, CopyFileNamesAsDataEvenWithPercentSigns) {
    EXPECT_EQ(MatchFoundMessage(MatchOutcome::Exact, "100%s_%d.tra", {5, ExactScore}),
              "Wordgleaner: case sensitive exact match found in file 100%s_%d.tra at Id 5\n");
    EXPECT_EQ(
        LikelyMessage(std::vector<std::string>{"%n%%"}, std::vector<MatchCandidate>{{1, 0.75}}),
        "Wordgleaner: Likely string found in file %n%% at Id 1, likeliness 75.0 %\n");
}

TEST(Messages, NotFoundHasNoLineBreakAndEmptyNamesTheEntry) {
    EXPECT_EQ(NotFoundMessage(), "Wordgleaner: Exact match not found");
    EXPECT_EQ(EmptyTextMessage(-3), "Wordgleaner: empty string at Id -3\n");
}

}  // namespace
