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

Ids IdsOf(NumberedText record) {
    return Ids(record.words.begin(), record.words.end());
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
    EXPECT_EQ(index[0].byteLength, 11);
    EXPECT_EQ(IdsOf(index[0]), Numbered(index, "Hello there"));
    EXPECT_EQ(IdsOf(index[1]), Numbered(index, "Good bye"));
    EXPECT_EQ(index[2].byteLength, 3);
    EXPECT_EQ(index[2].WordCount(), 0);
    EXPECT_EQ(index[3].byteLength, 0);
    EXPECT_EQ(index[3].WordCount(), 0);
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
    const Ids first = IdsOf(index[0]);
    const Ids second = IdsOf(index[1]);
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
    const Ids firstWords = IdsOf(index[0]);
    index.Shorten(2);
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(IdsOf(index[0]), firstWords);
    EXPECT_EQ(index[1].byteLength, 5);
    EXPECT_EQ(index[1].WordCount(), 0);
    index.Add("two");
    EXPECT_EQ(IdsOf(index[2]), (Ids{firstWords[1]}));
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
        EXPECT_EQ(index[record].byteLength, expected.byteLength) << "record " << record;
        EXPECT_EQ(index[record].WordCount(), expected.wordCount) << "record " << record;
        EXPECT_EQ(IdsOf(index[record]), Numbered(index, entry.MaleText())) << "record " << record;
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
