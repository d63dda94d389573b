// The review page and table a run writes on request: the page parsed back
// row by row against the run over examples/ and the files it recovered, the
// table's rows, a default run that writes neither, and a review that cannot
// be written failing the run.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "job/check_point.h"
#include "job/output_files.h"
#include "job/recovery_job.h"
#include "review/text_encoding.h"
#include "store/tra_file.h"
#include "support/batch_files.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::NamesIn;
using test_support::TempDir;

namespace {

const fs::path Examples = WORDGLEANER_EXAMPLES;

// One row of the page, its cells with the markup taken out.
struct PageRow {
    std::string outcomeKey;  // data-o
    std::string entry;       // "dialog.tra 101"
    std::string outcome;     // "very likely 99.8 %Id 1011"
    std::string modText;
    std::string referenceText;
    std::string translation;
};

std::string Unescaped(const std::string& html) {
    std::string text;
    bool inTag = false;
    for (std::size_t at = 0; at < html.size(); ++at) {
        const char character = html[at];
        if (inTag) {
            inTag = character != '>';
        } else if (character == '<') {
            inTag = true;
        } else if (character == '&') {
            const std::size_t end = html.find(';', at);
            const std::string name = html.substr(at + 1, end - at - 1);
            text += name == "amp"    ? "&"
                    : name == "lt"   ? "<"
                    : name == "gt"   ? ">"
                    : name == "quot" ? "\""
                                     : "'";
            at = end;
        } else if (character != '\r' && character != '\n') {
            text += character;
        }
    }
    return text;
}

std::string AttributeOf(const std::string& tag, const std::string& name) {
    const std::string opening = name + "=\"";
    const std::size_t begin = tag.find(opening) + opening.size();
    return tag.substr(begin, tag.find('"', begin) - begin);
}

// A text cell without the sound reference or female text after it.
std::string OwnText(const std::string& cell) {
    return cell.substr(0, cell.find("<div"));
}

// The rows leave out their end tags; each begins at "<tr id=" and its cells
// at "<td", which no escaped text can hold.
std::vector<PageRow> RowsOfPage(const std::string& page) {
    const std::size_t bodyBegin = page.find("<tbody>");
    const std::string body = page.substr(bodyBegin, page.find("</tbody>") - bodyBegin);
    std::vector<PageRow> rows;
    for (std::size_t at = body.find("<tr id="); at != std::string::npos;) {
        const std::size_t next = body.find("<tr id=", at + 1);
        const std::string row = body.substr(at, next - at);
        std::vector<std::string> cells;
        for (std::size_t cell = row.find("<td"); cell != std::string::npos;) {
            const std::size_t content = row.find('>', cell) + 1;
            const std::size_t end = row.find("<td", content);
            cells.push_back(Unescaped(OwnText(row.substr(content, end - content))));
            cell = end;
        }
        EXPECT_EQ(cells.size(), 6u) << row;
        cells.resize(6);
        rows.push_back({AttributeOf(row.substr(0, row.find('>')), "data-o"), cells[0], cells[1],
                        cells[2], cells[3], cells[4]});
        at = next;
    }
    return rows;
}

// Records of comma-separated values: line ends inside quotes do not count.
int CsvRecords(const std::string& table) {
    int records = 0;
    bool quoted = false;
    for (char character : table) {
        if (character == '"') {
            quoted = !quoted;
        } else if (character == '\n' && !quoted) {
            ++records;
        }
    }
    return records;
}

class BatchReviewTest : public ::testing::Test {
protected:
    BatchReviewTest() { fs::create_directory(paths.destinationDirectory); }

    ProgressSnapshot Run(bool writeReview) {
        RecoveryOptions options;
        options.writeReview = writeReview;
        return test_support::RunBatch(job, paths, options);
    }

    std::string Out(const std::string& name) const {
        return TempDir::Read((fs::path(paths.destinationDirectory) / name).string());
    }

    TraEntry EntryOf(const fs::path& folder, const std::string& file, std::int32_t id) {
        TraFile& loaded = *files.emplace_back(std::make_unique<TraFile>());
        EXPECT_EQ(loaded.Load((folder / file).string()), TraOk);
        const TraEntry entry = loaded.Find(id);
        EXPECT_TRUE(entry) << file << " " << id;
        return entry;
    }

    TempDir root;
    test_support::BatchPaths paths{(Examples / "reference/english.tra").string(),
                                   (Examples / "reference/french.tra").string(),
                                   (Examples / "mod").string(), root / "out"};
    RecoveryJob job;
    std::vector<std::unique_ptr<TraFile>> files;
};

struct ExpectedRow {
    const char* file;
    std::int32_t id;
    const char* outcomeKey;
    const char* outcome;
};

// How each entry of examples/mod that is not an exact match was found.
const std::vector<ExpectedRow> ExamplesRows = {
    {"dialog.tra", 101, "very-likely", "very likely 99.8 %Id 1011"},
    {"dialog.tra", 102, "likely", "likely 84.3 %Id 1031"},
    {"dialog.tra", 103, "likely-wrong-sound", "likely, wrong sound 100.0 %Id 1004"},
    {"dialog.tra", 104, "not-found", "not found"},
    {"dialog.tra", 105, "exact-case", "exact up to case 100.0 %Id 1027"},
    {"dialog.tra", 107, "missing-translation", "missing translation 100.0 %Id 1032"},
    {"items.tra", 202, "exact-case", "exact up to case 100.0 %Id 1017"},
    {"items.tra", 203, "very-likely", "very likely 100.0 %Id 1018"},
    {"items.tra", 204, "empty", "empty"},
    {"setup.TRA", 1, "not-found", "not found"},
    {"setup.TRA", 2, "not-found", "not found"},
};

TEST_F(BatchReviewTest, ThePageHasOneRowPerEntryThatIsNotAnExactMatchWithItsTexts) {
    const ProgressSnapshot end = Run(true);
    ASSERT_EQ(end.status, TraOk) << end.progressText;
    const std::vector<PageRow> rows = RowsOfPage(Out("Wordgleaner_review.html"));

    // The counters of the run: every entry but the accepted exact ones with a
    // translation (one exact match of examples/ lacks its translation, and
    // the two matches up to case, counted as exact, are rows).
    const int exactWithTranslation = end.counters.exactCount - 1 - 2;
    ASSERT_EQ(static_cast<int>(rows.size()), end.counters.entriesProcessed - exactWithTranslation);
    ASSERT_EQ(rows.size(), ExamplesRows.size());

    const fs::path out = paths.destinationDirectory;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const ExpectedRow& expected = ExamplesRows[index];
        const PageRow& row = rows[index];
        SCOPED_TRACE(row.entry);
        EXPECT_EQ(row.entry, std::string(expected.file) + " " + std::to_string(expected.id));
        EXPECT_EQ(row.outcomeKey, expected.outcomeKey);
        EXPECT_EQ(row.outcome, expected.outcome);
        const TraEntry mod = EntryOf(Examples / "mod", expected.file, expected.id);
        EXPECT_EQ(row.modText, mod.MaleText()) << "the mod text, not the translation put in";
        const TraEntry recovered = EntryOf(out, expected.file, expected.id);
        if (row.outcomeKey == "very-likely" || row.outcomeKey == "exact-case") {
            EXPECT_EQ(row.translation, ToUtf8(recovered.MaleText(), DefaultCodePage))
                << "the translation that was put in";
        } else {
            EXPECT_EQ(recovered.MaleText(), mod.MaleText());
        }
    }
    EXPECT_EQ(rows[0].referenceText, "Thank you, my friend. Here is your reward.");
    EXPECT_EQ(rows[1].translation, "Les gardes ne vous laisseront pas entrer.")
        << "a likely match shows the translation it would bring";
    EXPECT_EQ(rows[5].translation, "");
    EXPECT_EQ(rows[3].referenceText, "");
}

TEST_F(BatchReviewTest, TheTableHasAHeaderAndOneRowPerEntryWithAnId) {
    const ProgressSnapshot end = Run(true);
    ASSERT_EQ(end.status, TraOk) << end.progressText;
    const std::string table = Out("Wordgleaner_review.csv");
    EXPECT_EQ(CsvRecords(table), 1 + end.counters.entriesProcessed);
    EXPECT_NE(table.find("\"items.tra\",202,\"exact up to case\",100.0,\"english.tra\",1017,"
                         "\"HEALING POTION\",\"Healing potion\",\"Potion de soins\""),
              std::string::npos)
        << table;
}

// What a reviewer decides by: the sound references of the mod entry and of
// the best candidate, and what each other candidate would put in.
TEST_F(BatchReviewTest, TheReviewShowsSoundsAndTheTranslationOfEachOtherCandidate) {
    const ProgressSnapshot end = Run(true);
    ASSERT_EQ(end.status, TraOk) << end.progressText;
    const std::string table = Out("Wordgleaner_review.csv");
    EXPECT_NE(table.find("\"Bon retour, h\xC3\xA9ros !\",\"wm1027\",\"WM1027\",0\r\n"),
              std::string::npos)
        << table;
    const std::string page = Out("Wordgleaner_review.html");
    EXPECT_NE(page.find("Watch your step, the bridge is old.<div class=\"s\">WM1004</div>"),
              std::string::npos);
    EXPECT_NE(page.find("<li data-i=\"1014\">Id 1014: 82.4 %<br>The guards will not let you "
                        "pass without a writ.<div class=\"tr\">Les gardes ne vous laisseront "
                        "pas passer"),
              std::string::npos);
}

TEST_F(BatchReviewTest, ADefaultRunWritesNoReviewAndTheSameFilesAsARunWithOne) {
    ASSERT_EQ(Run(false).status, TraOk);
    const std::vector<std::string> withoutReview = NamesIn(paths.destinationDirectory);
    EXPECT_EQ(withoutReview, (std::vector<std::string>{"Wordgleaner_report.txt", "dialog.tra",
                                                       "items.tra", "setup.TRA"}));
    const std::string dialog = Out("dialog.tra");
    const std::string report = Out("Wordgleaner_report.txt");

    ASSERT_EQ(Run(true).status, TraOk);
    EXPECT_EQ(Out("dialog.tra"), dialog) << "the review changes no recovered file";
    EXPECT_EQ(Out("Wordgleaner_report.txt"), report);
    EXPECT_TRUE(fs::exists(ReviewPagePath(paths.destinationDirectory)));
    EXPECT_TRUE(fs::exists(ReviewTablePath(paths.destinationDirectory)));
}

TEST_F(BatchReviewTest, AnAbortedRunReviewsTheEntriesItRecovered) {
    RecoveryOptions options;
    options.writeReview = true;
    int entries = 0;
    RecoveryJob stopping({.atCheckPoint = [&entries](CheckPoint point) {
        return point == CheckPoint::BeforeEntry && ++entries == 3;
    }});
    const ProgressSnapshot end = test_support::RunBatch(stopping, paths, options);
    ASSERT_EQ(end.status, TraOk) << end.progressText;
    EXPECT_EQ(CsvRecords(Out("Wordgleaner_review.csv")), 1 + 2);
    EXPECT_NE(Out("Wordgleaner_review.html").find("Process interrupted."), std::string::npos);
}

TEST_F(BatchReviewTest, AReviewThatCannotBeCreatedFailsTheRunAndTheReportNamesIt) {
    fs::create_directory(ReviewPagePath(paths.destinationDirectory));
    const ProgressSnapshot end = Run(true);
    EXPECT_EQ(end.status, TraOpenFailed);
    const std::string expected = "Failed to write " + ReviewPagePath(paths.destinationDirectory) +
                                 ", cause: Failed to open file (" +
                                 std::make_error_code(std::errc::is_a_directory).message() + ")";
    EXPECT_EQ(end.progressText, expected);
    EXPECT_NE(Out("Wordgleaner_report.txt").find(expected), std::string::npos);
    EXPECT_FALSE(fs::exists(ReviewTablePath(paths.destinationDirectory)));
}

#if !defined(_WIN32)
// The page, some kilobytes of style and rows, goes beyond a limit that the
// recovered files and the report stay under: a write that fails half-way,
// told with the system's reason as a full disk would be.
TEST_F(BatchReviewTest, AReviewWriteThatFailsIsToldWithTheSystemsReason) {
    ProgressSnapshot end;
    {
        test_support::FileSizeLimit limit(4000);
        end = Run(true);
    }
    EXPECT_EQ(end.status, TraWriteFailed);
    const std::string expected = "Failed to write " + ReviewPagePath(paths.destinationDirectory) +
                                 ", cause: File write failure (" +
                                 std::make_error_code(std::errc::file_too_large).message() + ")";
    EXPECT_EQ(end.progressText, expected);
    EXPECT_NE(Out("Wordgleaner_report.txt").find(expected), std::string::npos);
    EXPECT_EQ(NamesIn(paths.destinationDirectory),
              (std::vector<std::string>{"Wordgleaner_report.txt", "dialog.tra", "items.tra",
                                        "setup.TRA"}))
        << "no page, no table, no temporary file";
}
#endif

}  // namespace
