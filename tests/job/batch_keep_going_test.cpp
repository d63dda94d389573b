// Runs that keep going past a mod file that fails: every other file is
// recovered, the report lists each skipped file with its cause, and the run
// still fails with the first skipped file's code.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "job/recovery_job.h"
#include "store/tra_error.h"
#include "support/batch_files.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test_support::NamesIn;
using test_support::TempDir;

namespace {

constexpr const char* ReportName = "Wordgleaner_report.txt";
constexpr const char* CompletedThreeOfThree =
    "Completed (3 / 3) with threshold for very likely match 95.00 %, threshold for likely 50.00 %";

class BatchKeepGoingTest : public ::testing::Test {
protected:
    BatchKeepGoingTest() {
        paths = {root.Write("orig.tra", "@1 = ~Hello~\n"),
                 root.Write("trans.tra", "@1 = ~Salut~\n"), root / "mod", root / "out"};
        root.Write("mod/a.tra", "@1 = ~Hello~\n");
        root.Write("mod/setup.tra", "@1 ~no equal sign~\n");
        root.Write("mod/z.tra", "@1 = ~Hello~\n");
        fs::create_directory(root.Path() / "out");
    }

    ProgressSnapshot Run(bool keepGoing, bool writeReview = false) {
        RecoveryOptions options;
        options.keepGoing = keepGoing;
        options.writeReview = writeReview;
        return test_support::RunBatch(job, paths, options);
    }
    std::string Out(const std::string& name) const { return TempDir::Read(root / ("out/" + name)); }

    TempDir root;
    test_support::BatchPaths paths;
    RecoveryJob job;
};

const std::string SetupFailure = "Failed to load setup, cause: Missing equal sign after string Id";

TEST_F(BatchKeepGoingTest, WithoutTheOptionTheFirstFailingFileStopsTheBatch) {
    const ProgressSnapshot end = Run(false);

    EXPECT_EQ(end.status, TraNoEqualSign);
    EXPECT_EQ(end.progressText, SetupFailure + " at line 1");
    EXPECT_EQ(NamesIn(root.Path() / "out"), (Names{ReportName, "a.tra"}));
    EXPECT_TRUE(end.skippedFiles.empty());
}

TEST_F(BatchKeepGoingTest, AFileThatFailsToLoadIsSkippedListedAndFailsTheRunAtItsEnd) {
    const ProgressSnapshot end = Run(true);

    EXPECT_EQ(end.status, TraNoEqualSign);
    EXPECT_EQ(end.progressText,
              std::string(CompletedThreeOfThree) + "; 1 file skipped after a failure");
    EXPECT_EQ(NamesIn(root.Path() / "out"), (Names{ReportName, "a.tra", "z.tra"}));
    const std::string skipped = "Skipped setup.tra: " + SetupFailure + " at line 1";
    EXPECT_EQ(end.skippedFiles, Names{skipped});
    EXPECT_EQ(end.filesDone, 2);
    EXPECT_EQ(Out(ReportName),
              end.progressText + "\r\n" + end.entryText + "\r\n" + skipped + "\r\n");
}

TEST_F(BatchKeepGoingTest, EverySkippedFileIsListedAndTheFirstOneGivesTheStatus) {
    root.Write("out/z.tra/blocker", "a folder where z.tra goes");

    const ProgressSnapshot end = Run(true);

    EXPECT_EQ(end.status, TraNoEqualSign) << "the first skipped file's code";
    ASSERT_EQ(end.skippedFiles.size(), 2u);
    EXPECT_EQ(end.skippedFiles[1].rfind("Skipped z.tra: Failed to save z.tra, cause: ", 0), 0u)
        << end.skippedFiles[1];
    EXPECT_NE(end.progressText.find("; 2 files skipped after a failure"), std::string::npos);
    EXPECT_EQ(Out("a.tra"),
              "// Wordgleaner: case sensitive exact match found in file orig.tra "
              "at Id 1\r\n@1     = ~Salut~\r\n");
}

// The files it recovered are reviewed as in any run; the page's summary
// names each skipped file with its cause. A run that failed without keeping
// going writes no review.
TEST_F(BatchKeepGoingTest, ARunThatSkippedAFileStillReviewsTheFilesItRecovered) {
    const ProgressSnapshot failed = Run(false, true);
    EXPECT_EQ(failed.status, TraNoEqualSign);
    EXPECT_EQ(NamesIn(root.Path() / "out"), (Names{ReportName, "a.tra"}));

    const ProgressSnapshot end = Run(true, true);

    EXPECT_EQ(end.status, TraNoEqualSign) << "the review does not change the status";
    EXPECT_EQ(NamesIn(root.Path() / "out"), (Names{ReportName, "Wordgleaner_review.csv",
                                                   "Wordgleaner_review.html", "a.tra", "z.tra"}));
    const std::string page = Out("Wordgleaner_review.html");
    EXPECT_NE(
        page.find("<tr><th>Skipped</th><td>setup.tra: " + SetupFailure + " at line 1</td></tr>"),
        std::string::npos)
        << page;
    EXPECT_NE(page.find(end.progressText), std::string::npos) << "the run as the report tells it";
    const std::string table = Out("Wordgleaner_review.csv");
    EXPECT_NE(table.find("\r\n\"a.tra\",1,"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n\"z.tra\",1,"), std::string::npos) << table;
    EXPECT_EQ(table.find("setup.tra"), std::string::npos) << table;
}
#if !defined(_WIN32)
// A named pipe would block the run and a device would never end; a folder
// has nothing to read. Each is named with what it is, never passed over in
// silence.
TEST_F(BatchKeepGoingTest, EntriesOfATraNameThatAreNoRegularFileAreSkippedWithTheirKind) {
    fs::remove(root.Path() / "mod/setup.tra");
    ASSERT_EQ(::mkfifo((root.Path() / "mod/b pipe.tra").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", root.Path() / "mod/c device.tra");
    fs::create_directory(root.Path() / "mod/d folder.tra");

    const ProgressSnapshot stopped = Run(false);

    EXPECT_EQ(stopped.status, TraOpenFailed);
    EXPECT_EQ(stopped.progressText,
              "Failed to load b pipe, cause: Failed to open file (a named pipe, not a regular "
              "file)");

    const ProgressSnapshot end = Run(true);

    EXPECT_EQ(end.status, TraOpenFailed);
    EXPECT_EQ(end.skippedFiles,
              (Names{"Skipped b pipe.tra: Failed to load b pipe, cause: Failed to open file (a "
                     "named pipe, not a regular file)",
                     "Skipped c device.tra: Failed to load c device, cause: Failed to open file (a "
                     "device, not a regular file)",
                     "Skipped d folder.tra: Failed to load d folder, cause: Failed to open file (a "
                     "folder, not a file)"}));
    EXPECT_EQ(NamesIn(root.Path() / "out"), (Names{ReportName, "a.tra", "z.tra"}));
}
#endif

TEST_F(BatchKeepGoingTest, ARunWithNothingToSkipEndsExactlyAsWithoutTheOption) {
    fs::remove(root.Path() / "mod/setup.tra");
    const ProgressSnapshot without = Run(false);
    const std::string report = Out(ReportName);

    const ProgressSnapshot with = Run(true);

    EXPECT_EQ(with, without);
    EXPECT_EQ(Out(ReportName), report);
}

}  // namespace
