// WordPostings over a hand-made index: ranks order the indexed records by
// byte length with ties in record order, and every list and word sequence
// follows the records chosen, not their neighbours in the index.

#include "matching/word_postings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

using namespace wordgleaner;

namespace {

using Ranks = std::vector<WordPostings::Rank>;

Ranks ToVector(WordPostings::Ranks ranks) {
    return Ranks(ranks.begin(), ranks.end());
}

std::vector<WordPostings::WordId> IdsOf(const WordVocabulary& vocabulary,
                                        std::vector<std::string_view> words) {
    std::vector<WordPostings::WordId> ids;
    for (std::string_view word : words) {
        ids.push_back(vocabulary.Find(word));
    }
    return ids;
}

ReferenceIndex IndexOf(std::vector<std::string_view> texts) {
    ReferenceIndex index;
    for (std::string_view text : texts) {
        index.Add(text);
    }
    return index;
}

class WordPostingsTest : public ::testing::Test {
protected:
    // Record 1 is left out, as an entry outside the id window would be.
    ReferenceIndex index = IndexOf({"Go west, go.", "skipped words", "Run", "GO EAST now", "Run!"});
    std::vector<std::uint32_t> records{0, 2, 3, 4};
    WordPostings postings{index, records};
};

TEST_F(WordPostingsTest, RanksRecordsByByteLengthWithTiesInRecordOrder) {
    ASSERT_EQ(postings.RecordCount(), 4U);
    const std::vector<std::uint32_t> expected{2, 4, 3, 0};  // 3, 4, 11 and 12 bytes
    for (WordPostings::Rank rank = 0; rank < 4; ++rank) {
        EXPECT_EQ(postings.RecordOf(rank), expected[rank]) << "rank " << rank;
        EXPECT_EQ(postings.ByteLength(rank), index.ByteLength(expected[rank]));
    }
    auto range = postings.RanksOfLengths(4, 11);
    EXPECT_EQ(range.first, 1U);
    EXPECT_EQ(range.last, 3U);
}

TEST_F(WordPostingsTest, GivesTheWordsOfTheChosenRecordsByRank) {
    const WordVocabulary& vocabulary = postings.Vocabulary();
    EXPECT_EQ(&vocabulary, &index.Vocabulary());
    EXPECT_EQ(vocabulary.Find("gO"), vocabulary.Find("go"));
    std::vector<WordPostings::WordId> room;
    auto words = postings.Words(3, room).words;  // record 0
    EXPECT_EQ(std::vector(words.begin(), words.end()), IdsOf(vocabulary, {"go", "west", "go"}));
    words = postings.Words(2, room).words;  // record 3
    EXPECT_EQ(std::vector(words.begin(), words.end()), IdsOf(vocabulary, {"go", "east", "now"}));
}

TEST_F(WordPostingsTest, ListsRanksByPositionAndByContainingRecord) {
    const WordVocabulary& vocabulary = postings.Vocabulary();
    EXPECT_EQ(ToVector(postings.WithWordAt(vocabulary.Find("go"), 0)), (Ranks{2, 3}));
    EXPECT_EQ(ToVector(postings.WithWordAt(vocabulary.Find("go"), 2)), (Ranks{3}));
    EXPECT_EQ(ToVector(postings.WithWordAt(vocabulary.Find("run"), 0)), (Ranks{0, 1}));
    EXPECT_EQ(ToVector(postings.Containing(vocabulary.Find("go"))), (Ranks{2, 3}));
    EXPECT_EQ(ToVector(postings.Containing(vocabulary.Find("now"))), (Ranks{2}));
    EXPECT_TRUE(postings.Containing(WordVocabulary::UnknownWord).empty());
    // The left-out record's words are numbered, but no list holds it.
    EXPECT_TRUE(postings.Containing(vocabulary.Find("skipped")).empty());
    EXPECT_TRUE(postings.WithWordAt(vocabulary.Find("skipped"), 0).empty());
}

}  // namespace
