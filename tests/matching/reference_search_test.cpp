#include "matching/reference_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loaded_tra.h"

using namespace wordgleaner;

namespace {

// A reference loaded from text, its index, and a search over both.
class ReferenceSearchTest : public ::testing::Test {
protected:
    void UseReference(std::string_view text) {
        matching_test::LoadTra(dir, "reference.tra", text, reference);
        references = ReferenceSet::Single(reference);
        BuildReferenceIndex(references, index);
    }

    SearchResult Search(std::string_view modText, std::string_view modSound = "") const {
        return SearchReference(settings, modText, modSound, references, index);
    }

    std::vector<std::int32_t> FoundIds(std::string_view modText) const {
        std::vector<std::int32_t> ids;
        const SearchResult result = Search(modText);
        for (const MatchCandidate& candidate : result.Found()) {
            ids.push_back(candidate.referenceId);
        }
        return ids;
    }

    test_support::TempDir dir;
    TraFile reference;
    ReferenceSet references;
    ReferenceIndex index;
    SearchSettings settings;
};

using Ids = std::vector<std::int32_t>;

TEST_F(ReferenceSearchTest, FirstByteExactEntryInFileOrderWins) {
    UseReference("@10 = ~Hello there~\n@11 = ~Hello there~\n");
    SearchResult result = Search("Hello there");
    ASSERT_EQ(result.count, 1);
    EXPECT_EQ(result.Best(), (MatchCandidate{10, ExactScore}));
}

TEST_F(ReferenceSearchTest, ByteExactMatchReplacesAnEarlierCaseOnlyMatch) {
    UseReference("@10 = ~HELLO THERE~\n@11 = ~hello there~\n@12 = ~Hello there~\n");
    EXPECT_EQ(Search("Hello there").Best(), (MatchCandidate{12, ExactScore}));
    EXPECT_EQ(Search("hello THERE").Best(), (MatchCandidate{10, CaseInsensitiveScore}));
    EXPECT_EQ(Search("hello THERE").count, 1);
}

TEST_F(ReferenceSearchTest, CaseFoldingLeavesAccentedLettersAlone) {
    UseReference("@1 = ~Caf\xE9~\n");
    EXPECT_EQ(Search("CAF\xE9").Best(), (MatchCandidate{1, CaseInsensitiveScore}));
    EXPECT_EQ(Search("CAF\xC9").count, 0);
}

TEST_F(ReferenceSearchTest, EqualTextWithAnotherSoundIsAWrongSoundCandidate) {
    UseReference("@1 = ~Hello there~ [SND01]\n@2 = ~Hello there~ [snd01]\n");
    SearchResult silent = Search("Hello there");
    ASSERT_EQ(silent.count, 2);
    EXPECT_EQ(silent.slots[0], (MatchCandidate{1, -1.0}));
    EXPECT_EQ(silent.slots[1], (MatchCandidate{2, -1.0}));

    EXPECT_EQ(Search("Hello there", "SND01").Best(), (MatchCandidate{1, ExactScore}));
    EXPECT_EQ(Search("Hello there", "Snd01").Best(), (MatchCandidate{1, CaseInsensitiveScore}));
    SearchResult likely = Search("Hello there!", "snd01");
    EXPECT_GT(likely.slots[0].score, 0.0) << "sound equal up to case is no wrong sound";
}

TEST_F(ReferenceSearchTest, WithoutSoundComparisonSoundsAreIgnored) {
    UseReference("@1 = ~Hello there~ [SND01]\n@2 = ~Hello there!~ [X]\n");
    settings.compareSound = false;
    EXPECT_EQ(Search("Hello there").Best(), (MatchCandidate{1, ExactScore}));
    SearchResult likely = Search("Hello there?", "Y");
    ASSERT_EQ(likely.count, 2);
    EXPECT_GT(likely.slots[0].score, 0.0);
}

TEST_F(ReferenceSearchTest, LikelinessMustBeStrictlyAboveTheMinimum) {
    UseReference("@1 = ~aa bb dd cc~\n");  // exactly 50.0 against "aa bb cc dd"
    settings.minLikeliness = 50.0;
    EXPECT_EQ(Search("aa bb cc dd").count, 0);
    settings.minLikeliness = 49.99;
    EXPECT_EQ(Search("aa bb cc dd").Best(), (MatchCandidate{1, 0.5}));
}

TEST_F(ReferenceSearchTest, KeepsTheFiveBestCandidatesAndTiesInFileOrder) {
    UseReference(
        "@1 = ~one two three four xxxx~\n"      // 80.0
        "@2 = ~one two three yyyy zzzz~\n"      // 60.0
        "@3 = ~one two three four xxxx~\n"      // 80.0, after its twin
        "@4 = ~one two three four five!~\n"     // 99.6
        "@5 = ~one two three four five~ [S]\n"  // 100.0, wrong sound
        "@6 = ~one two three yyyy zzzz~\n"      // 60.0, sixth: drops out
        "@7 = ~one two aaaa bbbb cccc~\n");     // 33.6: no candidate
    EXPECT_EQ(FoundIds("one two three four five"), (Ids{5, 4, 1, 3, 2}));
    SearchResult result = Search("one two three four five");
    EXPECT_EQ(result.slots[0].score, -1.0);
    EXPECT_EQ(result.slots[3].score, result.slots[2].score);
}

TEST_F(ReferenceSearchTest, IdWindowExcludesEntriesButKeepsRecordsPaired) {
    UseReference(
        "@-5 = ~Open the door~\n"
        "// a comment block between entries\n"
        "\n"
        "@100 = ~Open the door~\n"
        "@20 = ~Close the door~\n");
    EXPECT_EQ(Search("Open the door").Best(), (MatchCandidate{100, ExactScore}));

    settings.maxReferenceId = 99;
    SearchResult likely = Search("Open the door");
    ASSERT_EQ(likely.count, 1);
    EXPECT_EQ(likely.Best().referenceId, 20);
    EXPECT_NEAR(likely.Best().score * 100, 65.9, 0.05) << "record 2 must pair with id 20";

    settings.minReferenceId = -5;
    settings.maxReferenceId = -5;
    EXPECT_EQ(Search("Open the door").Best(), (MatchCandidate{-5, ExactScore}));
    settings.minReferenceId = 21;
    settings.maxReferenceId = 99;
    EXPECT_EQ(Search("Open the door").count, 0);
}

TEST_F(ReferenceSearchTest, TextWithoutWordsMatchesOnlyExactly) {
    UseReference("@1 = ~...~\n@2 = ~.. .~\n");
    EXPECT_EQ(Search("...").Best(), (MatchCandidate{1, ExactScore}));
    EXPECT_EQ(Search("!!!").count, 0);
}

TEST_F(ReferenceSearchTest, IndexShorterThanTheReferenceGivesNoCandidateForTheRest) {
    UseReference("@1 = ~alpha beta~\n@2 = ~alpha beta gamma~\n");
    index.Shorten(1);
    EXPECT_EQ(FoundIds("alpha beta!"), (Ids{1}));
    EXPECT_EQ(Search("alpha beta gamma").Best(), (MatchCandidate{2, ExactScore}));
}

}  // namespace
