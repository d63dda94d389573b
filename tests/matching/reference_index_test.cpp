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
    index.emplace_back("left from an earlier batch");
    BuildReferenceIndex(reference, index);

    ASSERT_EQ(index.size(), 4u);
    EXPECT_EQ(WordsOf(index[0]), (List{"Hello", "there"}));
    EXPECT_EQ(WordsOf(index[1]), (List{"Good", "bye"}));
    EXPECT_EQ(index[2].byteLength, 3);
    EXPECT_EQ(index[2].wordCount, 0);
    EXPECT_EQ(index[3].byteLength, 0);
    EXPECT_EQ(index[3].wordCount, 0);
}

// Large enough for the build to split the texts over two threads.
TEST(BuildReferenceIndex, SplitsALargeReferenceIntoTheSameRecordsAsOneTextAtATime) {
    test_support::RandomTraShape shape;
    shape.referenceEntries = 9000;
    test_support::RandomTra random(7, shape);
    test_support::TempDir dir;
    TraFile reference;
    LoadTra(dir, "ref.tra", random.TraText(random.Reference()), reference);
    ReferenceIndex index;
    BuildReferenceIndex(reference, index);

    std::size_t record = 0;
    for (int position = 0; const TraEntry* entry = reference.GetAt(position); ++position) {
        if (entry->IsLayout()) {
            continue;
        }
        ASSERT_LT(record, index.size());
        const IndexedText expected(entry->MaleText());
        EXPECT_EQ(index[record].byteLength, expected.byteLength) << "record " << record;
        EXPECT_EQ(index[record].wordCount, expected.wordCount) << "record " << record;
        EXPECT_EQ(WordsOf(index[record]), WordsOf(expected)) << "record " << record;
        ++record;
    }
    EXPECT_EQ(record, index.size());
    EXPECT_GT(record, 8000u);
}

TEST(BuildReferenceIndex, EmptiesTheIndexForAReferenceWithoutEntries) {
    test_support::TempDir dir;
    TraFile reference;
    LoadTra(dir, "ref.tra", "// only a comment\n\n", reference);
    ReferenceIndex index(3);
    BuildReferenceIndex(reference, index);
    EXPECT_TRUE(index.empty());
}

}  // namespace
