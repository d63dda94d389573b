// WordPostings over a hand-made index: ranks order the indexed records by
// byte length with ties in record order, and every list and word sequence
// follows the records chosen, not their neighbours in the index.

#include "matching/word_postings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using namespace wordgleaner;

namespace {

using Ranks = std::vector<WordPostings::Rank>;

Ranks ToVector(const WordPostings::Ranks& ranks) {
    Ranks all;
    ranks.ForEachBlock([&](std::span<const WordPostings::Rank> block) {
        all.insert(all.end(), block.begin(), block.end());
    });
    return all;
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

// Texts of up to 12 words from a vocabulary of 40, so that lists run over
// several blocks, some words repeat within a text and records share lengths.
ReferenceIndex GeneratedIndex(int texts) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> wordCount(0, 12);
    std::uniform_int_distribution<int> word(0, 39);
    std::vector<std::string> owned;
    for (int i = 0; i < texts; ++i) {
        std::string text;
        for (int w = wordCount(random); w > 0; --w) {
            text += 'w';
            text += std::to_string(word(random) * word(random) / 40);
            text += ' ';
        }
        owned.push_back(text);
    }
    ReferenceIndex index;
    for (const std::string& text : owned) {
        index.Add(text);
    }
    return index;
}

// Every list as the words of the ranked records say it should be.
void ExpectListsFromTheWords(const WordPostings& postings) {
    const auto words = static_cast<WordPostings::WordId>(postings.Vocabulary().Size());
    for (WordPostings::WordId word = 0; word < words; ++word) {
        Ranks containing;
        std::vector<Ranks> atPosition(12);
        std::vector<WordPostings::WordId> room;
        for (WordPostings::Rank rank = 0; rank < postings.RecordCount(); ++rank) {
            auto ofRecord = postings.Words(rank, room).words;
            if (std::find(ofRecord.begin(), ofRecord.end(), word) != ofRecord.end()) {
                containing.push_back(rank);
            }
            for (std::size_t position = 0; position < ofRecord.size(); ++position) {
                if (ofRecord[position] == word) {
                    atPosition[position].push_back(rank);
                }
            }
        }
        ASSERT_EQ(ToVector(postings.Containing(word)), containing) << "word " << word;
        for (std::size_t position = 0; position < atPosition.size(); ++position) {
            ASSERT_EQ(ToVector(postings.WithWordAt(word, static_cast<std::int32_t>(position))),
                      atPosition[position])
                << "word " << word << " at " << position;
        }
    }
}

TEST(WordPostings, ListsEveryWordAlikeWhateverThePiecesItIsBuiltIn) {
    const ReferenceIndex index = GeneratedIndex(3000);
    std::vector<std::uint32_t> records;
    for (std::uint32_t record = 0; record < index.size(); record += 1 + record % 3) {
        records.push_back(record);
    }
    for (std::size_t piece : {std::size_t{1}, std::size_t{500}, WordPostings::PieceOccurrences}) {
        SCOPED_TRACE(piece);
        ExpectListsFromTheWords(WordPostings(index, records, piece));
    }
}

TEST(WordPostings, TellsTheByteLengthsOfTextsBeyondSixteenBits) {
    const std::string longest(70000, 'x');
    const std::string justLong(65535, 'y');
    const std::string justShort(65534, 'z');
    const ReferenceIndex index = IndexOf({longest, "a b", justLong, justShort, longest});
    const std::vector<std::uint32_t> records{0, 1, 2, 3, 4};
    const WordPostings postings(index, records);
    const std::vector<std::int32_t> expected{3, 65534, 65535, 70000, 70000};
    for (WordPostings::Rank rank = 0; rank < expected.size(); ++rank) {
        EXPECT_EQ(postings.ByteLength(rank), expected[rank]) << "rank " << rank;
    }
    auto range = postings.RanksOfLengths(65535, 1 << 20);
    EXPECT_EQ(range.first, 2U);
    EXPECT_EQ(range.last, 5U);
}

}  // namespace
