#include "matching/reference_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loaded_tra.h"
#include "support/random_tra.h"

using namespace wordgleaner;

namespace {

using matching_test::LoadTra;

std::vector<std::string> WordsOf(const IndexedText& record) {
    std::vector<std::string> words;
    for (std::string_view word : record.words) {
        EXPECT_GE(word.data(), record.textCopy.data());
        EXPECT_LE(word.data() + word.size(), record.textCopy.data() + record.textCopy.size());
        words.emplace_back(word);
    }
    return words;
}

using List = std::vector<std::string>;

TEST(IndexedText, SplitsItsOwnCopyOfTheText) {
    std::string text = "Run, away!";
    IndexedText record(text);
    text = "overwritten";
    EXPECT_EQ(record.byteLength, 10);
    EXPECT_EQ(record.wordCount, 2);
    EXPECT_EQ(WordsOf(record), (List{"Run", "away"}));
}

// Short texts live inside the string object itself, so their words would
// dangle after a move if the views were not pointed at the new copy.
TEST(IndexedText, WordsFollowTheTextThroughCopiesMovesAndGrowth) {
    std::vector<IndexedText> records;
    for (int i = 0; i < 100; ++i) {
        records.emplace_back("a b " + std::to_string(i));
    }
    IndexedText copied = records[7];
    IndexedText moved = std::move(records[8]);
    records.clear();
    EXPECT_EQ(WordsOf(copied), (List{"a", "b", "7"}));
    EXPECT_EQ(WordsOf(moved), (List{"a", "b", "8"}));

    IndexedText assigned;
    assigned = copied;
    copied = IndexedText("x y");
    EXPECT_EQ(WordsOf(assigned), (List{"a", "b", "7"}));
    EXPECT_EQ(WordsOf(copied), (List{"x", "y"}));
    assigned = std::move(copied);
    EXPECT_EQ(WordsOf(assigned), (List{"x", "y"}));

    std::string longText(200, 'w');
    IndexedText longRecord(longText + " end");
    IndexedText longMoved(std::move(longRecord));
    EXPECT_EQ(WordsOf(longMoved), (List{longText, "end"}));
}

using Ids = std::vector<WordVocabulary::WordId>;

// The words of a record as the searches decode them; counting them from the
// codes must agree.
Ids IdsOf(const ReferenceIndex& index, std::size_t record) {
    std::vector<WordVocabulary::WordId> room;
    const NumberedText decoded = index.Decode(record, room);
    EXPECT_EQ(decoded.byteLength, index.ByteLength(record));
    Ids ids(decoded.words.begin(), decoded.words.end());
    EXPECT_EQ(index.WordCount(record), ids.size()) << "record " << record;
    return ids;
}

Ids Numbered(const ReferenceIndex& index, std::string_view text) {
    Ids ids;
    index.NumberWordsOf(text, ids);
    return ids;
}

TEST(BuildReferenceIndex, PairsOneRecordWithEachEntryThatCarriesAnId) {
    test_support::TempDir dir;
    TraFile reference;
    LoadTra(dir, "ref.tra",
            "// header comment\n"
            "@5 = ~Hello there~ [SND]\n"
            "\n"
            "@-2 = ~Good bye~ ~female~\n"
            "@5 = ~...~\n"
            "@9 = ~~\n",
            reference);
    ReferenceIndex index;
    index.Add("left from an earlier batch");
    BuildReferenceIndex(reference, index);

    ASSERT_EQ(index.size(), 4u);
    EXPECT_EQ(index.ByteLength(0), 11);
    EXPECT_EQ(IdsOf(index, 0), Numbered(index, "Hello there"));
    EXPECT_EQ(IdsOf(index, 1), Numbered(index, "Good bye"));
    EXPECT_EQ(index.ByteLength(2), 3);
    EXPECT_EQ(index.WordCount(2), 0);
    EXPECT_EQ(index.ByteLength(3), 0);
    EXPECT_EQ(index.WordCount(3), 0);
    EXPECT_EQ(index.Vocabulary().Size(), 4u);
    EXPECT_EQ(index.Vocabulary().Find("earlier"), WordVocabulary::UnknownWord);
}

// Equal numbers for words equal up to ASCII case, and only for those: the
// searches compare numbers where the measure compares words.
TEST(ReferenceIndex, NumbersWordsEqualUpToAsciiCaseAlike) {
    ReferenceIndex index;
    index.Add("Go west, go!");
    index.Add(
        "GO \xC9"
        "ast \xE9"
        "ast");
    const Ids first = IdsOf(index, 0);
    const Ids second = IdsOf(index, 1);
    ASSERT_EQ(first.size(), 3u);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(first[0], first[2]);
    EXPECT_EQ(first[0], second[0]);
    EXPECT_NE(first[0], first[1]);
    EXPECT_NE(second[1], second[2]);  // only A-Z fold
    EXPECT_EQ(Numbered(index,
                       "wEST unknown \xC9"
                       "ast"),
              (Ids{first[1], WordVocabulary::UnknownWord, second[1]}));
    EXPECT_EQ(Numbered(index, " ... "), Ids{});
}

TEST(ReferenceIndex, ShortenedIndexKeepsItsFirstRecordsWhole) {
    ReferenceIndex index;
    index.Add("one two");
    index.AddWithoutWords(5);
    index.Add("three four five");
    const Ids firstWords = IdsOf(index, 0);
    index.Shorten(2);
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(IdsOf(index, 0), firstWords);
    EXPECT_EQ(index.ByteLength(1), 5);
    EXPECT_EQ(index.WordCount(1), 0);
    index.Add("two");
    EXPECT_EQ(IdsOf(index, 2), (Ids{firstWords[1]}));
}

// More distinct words than two bytes can number, so that records one, two
// and three bytes a word sit side by side, with the most frequent word of
// all appearing only after every other.
class NumberedByFrequency : public ::testing::Test {
protected:
    static constexpr int DistinctWords = 70'000;

    void SetUp() override {
        std::string manyWords;
        for (int word = 0; word < DistinctWords; ++word) {
            manyWords += "w" + std::to_string(word) + " ";
        }
        texts = {manyWords, "", "one", "...", "w69999 w7"};
        for (int repeat = 0; repeat < 50; ++repeat) {
            texts.push_back("Often often, OFTEN w7!");
        }
        for (const std::string& text : texts) {
            index.Add(text);
        }
    }

    std::vector<std::string> texts;
    ReferenceIndex index;
};

TEST_F(NumberedByFrequency, RecordsKeepTheirWordsUnderTheNewNumbers) {
    const std::size_t bytesBefore = index.HeldBytes();
    index.NumberByFrequency();
    ASSERT_EQ(index.size(), texts.size());
    for (std::size_t record = 0; record < texts.size(); ++record) {
        EXPECT_EQ(index.ByteLength(record), static_cast<std::int32_t>(texts[record].size()));
        EXPECT_EQ(IdsOf(index, record), Numbered(index, texts[record])) << "record " << record;
    }
    EXPECT_EQ(index.WordCount(0), static_cast<std::size_t>(DistinctWords));
    EXPECT_EQ(index.WordCount(1), 0U);
    EXPECT_EQ(IdsOf(index, 3), Ids{});
    EXPECT_EQ(index.MostWords(), static_cast<std::size_t>(DistinctWords));
    EXPECT_LT(index.HeldBytes(), bytesBefore);
}

TEST_F(NumberedByFrequency, MostFrequentWordsTakeTheSmallestNumbers) {
    index.NumberByFrequency();
    const WordVocabulary& vocabulary = index.Vocabulary();
    ASSERT_EQ(vocabulary.Size(), static_cast<std::size_t>(DistinctWords + 2));
    EXPECT_EQ(vocabulary.Find("often"), 0U);  // 150 times
    EXPECT_EQ(vocabulary.Find("w7"), 1U);     // 52 times
    EXPECT_EQ(vocabulary.Find("w69999"), 2U);
    // Ties keep the order of first appearance.
    EXPECT_EQ(vocabulary.Find("w0"), 3U);
    EXPECT_EQ(vocabulary.Find("one"), static_cast<WordVocabulary::WordId>(DistinctWords + 1));
    EXPECT_EQ(vocabulary.Find("w8"), vocabulary.Find("w6") + 1);
    EXPECT_EQ(vocabulary.Find("seldom"), WordVocabulary::UnknownWord);
}

// One room serves records of every length, longest first, and a record
// added after the renumbering codes its words with the numbers in force.
TEST_F(NumberedByFrequency, OneRoomDecodesEveryRecordAndLaterRecordsFollowTheNewNumbers) {
    index.NumberByFrequency();
    index.Add("often brand-new w69999");
    std::vector<WordVocabulary::WordId> room;
    EXPECT_EQ(index.Decode(0, room).WordCount(), DistinctWords);
    EXPECT_EQ(index.Decode(2, room).WordCount(), 1);
    const NumberedText added = index.Decode(index.size() - 1, room);
    EXPECT_EQ(Ids(added.words.begin(), added.words.end()),
              (Ids{0, DistinctWords + 2, DistinctWords + 3, 2}));
    EXPECT_EQ(added.byteLength, 22);
}

TEST(ReferenceIndex, NumberingAnEmptyIndexByFrequencyLeavesItEmpty) {
    ReferenceIndex index;
    index.NumberByFrequency();
    EXPECT_TRUE(index.empty());
    index.Add("first");
    EXPECT_EQ(IdsOf(index, 0), Ids{0});
}

// Large enough for a vocabulary that grows many times while it numbers.
TEST(BuildReferenceIndex, NumbersEveryTextAsItsOwnSplitWords) {
    test_support::RandomTraShape shape;
    shape.referenceEntries = 9000;
    test_support::RandomTra random(7, shape);
    test_support::TempDir dir;
    TraFile reference;
    LoadTra(dir, "ref.tra", random.TraText(random.Reference()), reference);
    ReferenceIndex index;
    BuildReferenceIndex(reference, index);

    std::size_t record = 0;
    for (int position = 0; const TraEntry entry = reference.GetAt(position); ++position) {
        if (entry.IsLayout()) {
            continue;
        }
        ASSERT_LT(record, index.size());
        const IndexedText expected(entry.MaleText());
        EXPECT_EQ(index.ByteLength(record), expected.byteLength) << "record " << record;
        EXPECT_EQ(index.WordCount(record), expected.wordCount) << "record " << record;
        EXPECT_EQ(IdsOf(index, record), Numbered(index, entry.MaleText())) << "record " << record;
        ++record;
    }
    EXPECT_EQ(record, index.size());
    EXPECT_GT(record, 8000u);
}

TEST(BuildReferenceIndex, EmptiesTheIndexForAReferenceWithoutEntries) {
    test_support::TempDir dir;
    TraFile reference;
    LoadTra(dir, "ref.tra", "// only a comment\n\n", reference);
    ReferenceIndex index;
    index.Add("left over");
    BuildReferenceIndex(reference, index);
    EXPECT_TRUE(index.empty());
    EXPECT_EQ(index.Vocabulary().Size(), 0u);
}

}  // namespace
