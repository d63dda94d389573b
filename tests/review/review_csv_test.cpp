#include "review/review_csv.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "sample_records.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

using namespace wordgleaner;
using test_support::SampleRecord;
using test_support::SampleRecords;
using test_support::TempDir;
using test_support::WithBest;

namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";
constexpr std::string_view Header =
    "Mod file,Id,Outcome,Likeliness,Reference file,Reference id,Mod text,Reference text,"
    "Translated text,Mod sound,Reference sound,Other translations\r\n";

using Row = std::vector<std::string>;

// Reads records as RFC 4180 has them: CR LF between records, fields quoted
// or not, a quote inside a quoted field doubled. Fails the test on anything
// else, so that a field that needed quoting and was not shows up.
std::vector<Row> ParseCsv(std::string_view text) {
    std::vector<Row> rows;
    Row row;
    std::string field;
    std::size_t position = 0;
    auto take = [&] { return position < text.size() ? text[position++] : '\0'; };
    while (position < text.size()) {
        field.clear();
        if (text[position] == '"') {
            ++position;
            while (true) {
                if (position >= text.size()) {
                    ADD_FAILURE() << "unclosed quoted field";
                    return rows;
                }
                char c = take();
                if (c == '"') {
                    if (position < text.size() && text[position] == '"') {
                        field += take();
                        continue;
                    }
                    break;
                }
                field += c;
            }
        } else {
            while (position < text.size() && text[position] != ',' && text[position] != '\r') {
                const char c = take();
                EXPECT_NE(c, '"') << "quote in an unquoted field";
                EXPECT_NE(c, '\n') << "line feed in an unquoted field";
                field += c;
            }
        }
        row.push_back(field);
        const char separator = take();
        if (separator == ',') {
            continue;
        }
        EXPECT_EQ(separator, '\r') << "after field " << row.size();
        EXPECT_EQ(take(), '\n');
        rows.push_back(row);
        row.clear();
    }
    return rows;
}

std::string WriteAndRead(const TempDir& dir, const std::vector<ReviewRecord>& records) {
    const std::string path = dir / ReviewTableName;
    EXPECT_EQ(WriteReviewCsv(path, records, 1252).code, TraOk);
    return TempDir::Read(path);
}

TEST(ReviewCsv, StartsWithAByteOrderMarkAndAHeaderRow) {
    TempDir dir;
    const std::string table = WriteAndRead(dir, {});
    EXPECT_EQ(table, std::string(Bom) + std::string(Header));
}

TEST(ReviewCsv, WritesOneRowPerRecordWithEveryField) {
    TempDir dir;
    const std::vector<ReviewRecord> records = SampleRecords();
    const std::string table = WriteAndRead(dir, records);
    ASSERT_EQ(table.substr(0, Bom.size()), Bom);
    const std::vector<Row> rows = ParseCsv(std::string_view(table).substr(Bom.size()));
    ASSERT_EQ(rows.size(), records.size() + 1);
    for (const Row& row : rows) {
        EXPECT_EQ(row.size(), 12u);
    }
    EXPECT_EQ(rows[4], (Row{"setup.tra", "4", "likely", "65.9", "dialog.tra", "300",
                            "Open the door & \"run\".", "Close the door & run.", "Ferme la porte.",
                            "", "", "0"}));
    EXPECT_EQ(rows[5][2], "likely, wrong sound");
    EXPECT_EQ(rows[6][2], "missing translation");
    EXPECT_EQ(rows[7], (Row{"setup.tra", "7", "not found", "", "", "", "Nobody says 'this'.", "",
                            "", "", "", "0"}));
    EXPECT_EQ(rows[8][2], "empty");
    EXPECT_EQ(rows[9][0], "items tra.tra");
}

TEST(ReviewCsv, QuotesTextsWithQuotesCommasAndLineBreaks) {
    TempDir dir;
    ReviewRecord record = WithBest(
        SampleRecord("a.tra", 12, MatchOutcome::VeryLikely, "He said \"stop\", twice\nthen left"),
        "ref.tra", 34, 97.25, "a\rlone carriage return", "\"\"");
    const std::string table = WriteAndRead(dir, {record});
    const std::string row = table.substr(Bom.size() + Header.size());
    EXPECT_EQ(row,
              "\"a.tra\",12,\"very likely\",97.3,\"ref.tra\",34,"
              "\"He said \"\"stop\"\", twice\r\nthen left\",\"a\rlone carriage return\","
              "\"\"\"\"\"\",\"\",\"\",0\r\n");
    const std::vector<Row> rows = ParseCsv(table.substr(Bom.size()));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][6], "He said \"stop\", twice\r\nthen left");
    EXPECT_EQ(rows[1][8], "\"\"");
}

// A spreadsheet would compute a cell that begins like a formula; mod texts
// and file names come from anyone. Numbers the table writes stay numbers.
TEST(ReviewCsv, TextsThatBeginLikeAFormulaGetALeadingApostrophe) {
    TempDir dir;
    ReviewRecord record =
        WithBest(SampleRecord("=cmd.tra", -12, MatchOutcome::VeryLikely, "+1 to hit"), "@ref.tra",
                 -34, 97.5, "-1 to hit", "\tTab");
    record.modSound = "=SND";
    record.referenceSound = "-SND";
    ReviewRecord carriageReturn = SampleRecord("a.tra", 1, MatchOutcome::NotFound, "\rHello");
    ReviewRecord plain = SampleRecord("a.tra", 2, MatchOutcome::NotFound, "Hello = world");
    const std::string table = WriteAndRead(dir, {record, carriageReturn, plain});
    const std::vector<Row> rows = ParseCsv(table.substr(Bom.size()));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1], (Row{"'=cmd.tra", "-12", "very likely", "97.5", "'@ref.tra", "-34",
                            "'+1 to hit", "'-1 to hit", "'\tTab", "'=SND", "'-SND", "0"}));
    EXPECT_EQ(rows[2][6], "'\rHello");
    EXPECT_EQ(rows[3][6], "Hello = world");
}

TEST(ReviewCsv, DecodesTextsThatAreNotUtf8FromTheCodePage) {
    TempDir dir;
    ReviewRecord record =
        WithBest(SampleRecord("caf\xE9.tra", 1, MatchOutcome::Likely, "Caf\xE9 \x93noir\x94"),
                 "r\xE9"
                 "f.tra",
                 2, 80.0, "d\xC3\xA9j\xC3\xA0 vu", "\xE9t\xE9");
    const std::vector<Row> rows = ParseCsv(WriteAndRead(dir, {record}).substr(Bom.size()));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (Row{"caf\xC3\xA9.tra", "1", "likely", "80.0",
                            "r\xC3\xA9"
                            "f.tra",
                            "2", "Caf\xC3\xA9 \xE2\x80\x9Cnoir\xE2\x80\x9D",
                            "d\xC3\xA9j\xC3\xA0 vu", "\xC3\xA9t\xC3\xA9", "", "", "0"}));
}

TEST(ReviewCsv, CountsTheOtherTranslationsOfAnExactMatch) {
    TempDir dir;
    ReviewRecord record = WithBest(SampleRecord("a.tra", 1, MatchOutcome::Exact, "Yes"), "r.tra", 4,
                                   100.0, "Yes", "Oui");
    record.alternatives = {{"Si", "", "r.tra", 5}, {"Ouais", "", "s.tra", 4}};
    const std::vector<Row> rows = ParseCsv(WriteAndRead(dir, {record}).substr(Bom.size()));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][2], "exact, other translations");
    EXPECT_EQ(rows[0][11], "Other translations");
    EXPECT_EQ(rows[1][11], "2");
}

// A "likely, wrong sound" row is judged by its two sound references.
TEST(ReviewCsv, GivesTheModEntrysAndTheBestCandidatesSoundTheirOwnColumns) {
    TempDir dir;
    ReviewRecord record = WithBest(SampleRecord("a.tra", 3, MatchOutcome::Likely, "Halt!"),
                                   "ref.tra", 9, 100.0, "Halt!", "Stop !");
    record.wrongSound = true;
    record.modSound = "GUARD01";
    record.referenceSound = "GUARD02";
    const std::vector<Row> rows = ParseCsv(WriteAndRead(dir, {record}).substr(Bom.size()));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][9], "Mod sound");
    EXPECT_EQ(rows[0][10], "Reference sound");
    EXPECT_EQ(rows[1][2], "likely, wrong sound");
    EXPECT_EQ(rows[1][9], "GUARD01");
    EXPECT_EQ(rows[1][10], "GUARD02");
}

TEST(ReviewCsv, RefusesAFolderThatDoesNotExistAndCreatesNothing) {
    TempDir dir;
    const std::string path = dir / "missing/Wordgleaner_review.csv";
    EXPECT_EQ(WriteReviewCsv(path, SampleRecords(), 1252).code, TraOpenFailed);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

#ifndef _WIN32
TEST(ReviewCsv, LeavesThePreviousTableWhenAWriteFails) {
    TempDir dir;
    const std::string path = dir.Write("Wordgleaner_review.csv", "previous table");
    std::vector<ReviewRecord> records;
    for (int id = 0; id < 2000; ++id) {
        records.push_back(SampleRecord("a.tra", id, MatchOutcome::NotFound, "some text"));
    }
    {
        test_support::FileSizeLimit limit(1000);
        const TraFailure failure = WriteReviewCsv(path, records, 1252);
        EXPECT_EQ(failure.code, TraWriteFailed);
        EXPECT_EQ(failure.systemError, std::errc::file_too_large) << "the system's reason is kept";
    }
    EXPECT_EQ(TempDir::Read(path), "previous table");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}
#endif

}  // namespace
