// The batch driver end to end in temporary folders: what it writes, what it
// reports, and how each failure and each abort point ends a run.

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "job/check_point.h"
#include "job/recovery_job.h"
#include "store/tra_error.h"
#include "support/abort_at.h"
#include "support/batch_files.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test_support::AbortAt;
using test_support::NamesIn;
using test_support::TempDir;

namespace {

constexpr const char* NoFileText = "No file to process. Check specified mod directory: ";
constexpr const char* ReportName = "Wordgleaner_report.txt";
constexpr const char* PatchName = "tp2patch.tp2";

std::string CompletedText(int started, int count) {
    return "Completed (" + std::to_string(started) + " / " + std::to_string(count) +
           ") with threshold for very likely match 95.00 %, threshold for likely 50.00 %";
}

class BatchRunTest : public ::testing::Test {
protected:
    BatchRunTest() {
        paths = {
            root.Write("orig.tra", "@1 = ~Hello~\n@2 = ~Good bye~\n@3 = ~Open the door~\n"),
            root.Write("trans.tra", "@1 = ~Bonjour~\n@2 = ~Au revoir~\n@3 = ~Ouvrez la porte~\n"),
            root / "mod", root / "out"};
        fs::create_directory(paths.modDirectory);
        fs::create_directory(paths.destinationDirectory);
    }

    void AddModFile(const std::string& name, const std::string& content) {
        root.Write("mod/" + name, content);
    }

    ProgressSnapshot Run(const RecoveryOptions& options = {}) {
        return test_support::RunBatch(job, paths, options);
    }

    std::string Out(const std::string& name) const {
        return TempDir::Read((fs::path(paths.destinationDirectory) / name).string());
    }
    Names Written() const { return NamesIn(paths.destinationDirectory); }

    TempDir root;
    test_support::BatchPaths paths;
    CheckPointHook atCheckPoint;  // set by a test before its run
    RecoveryJob job{
        {.atCheckPoint = [this](CheckPoint point) { return atCheckPoint && atCheckPoint(point); }}};
};

// --- A normal run -----------------------------------------------------------

TEST_F(BatchRunTest, OneFileIsShownAsFileZeroOfOneWhileItRunsThenAsCompleted) {
    AddModFile("name.tra", "@7 = ~Hello~\n");
    std::vector<std::pair<std::string, int>> seen;
    atCheckPoint = [this, &seen](CheckPoint point) {
        if (point == CheckPoint::BeforeEntry) {
            const ProgressSnapshot now = job.Snapshot();
            seen.emplace_back(now.progressText, now.filePercent);
        }
        return false;
    };

    const ProgressSnapshot end = Run();

    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), std::make_pair(std::string("Processing name.tra (0 / 1)"), 0));
    EXPECT_EQ(end.status, TraOk);
    EXPECT_TRUE(end.Ended());
    EXPECT_EQ(end.progressText, CompletedText(1, 1));
    EXPECT_EQ(end.entryText, "Entries: 1, Exact match: 1, Very likely match: 0, Likely match: 0");
    EXPECT_EQ(Out("name.tra"),
              "// Wordgleaner: case sensitive exact match found in file orig.tra at Id 1\r\n"
              "@7     = ~Bonjour~\r\n");
    EXPECT_EQ(Out(ReportName), CompletedText(1, 1) +
                                   "\r\nEntries: 1, Exact match: 1, Very likely match: 0, "
                                   "Likely match: 0\r\n");
}

TEST_F(BatchRunTest, SevenFilesMoveTheFileBarInWholePercentsRoundedDown) {
    for (char letter = 'a'; letter < 'h'; ++letter) {
        AddModFile(std::string(1, letter) + ".tra", "@1 = ~Hello~\n");
    }
    std::vector<int> percents;
    atCheckPoint = [this, &percents](CheckPoint point) {
        if (point == CheckPoint::BeforeEntry) {
            percents.push_back(job.Snapshot().filePercent);
        }
        return false;
    };

    const ProgressSnapshot end = Run();

    EXPECT_EQ(percents, (std::vector<int>{0, 14, 28, 42, 57, 71, 85}));
    EXPECT_TRUE(end.Ended());
    EXPECT_EQ(end.progressText, CompletedText(7, 7));
}

TEST_F(BatchRunTest, FilesAreProcessedInFoldedNameOrderWhateverTheListingGives) {
    AddModFile("b.tra", "@1 = ~Hello~\n");
    AddModFile("A.TRA", "@1 = ~Hello~\n");
    AddModFile("c.Tra", "@1 = ~Hello~\n");
    std::vector<std::string> order;
    atCheckPoint = [this, &order](CheckPoint point) {
        if (point == CheckPoint::BeforeEntry) {
            order.push_back(job.Snapshot().progressText);
        }
        return false;
    };

    Run();

    EXPECT_EQ(order, (Names{"Processing A.TRA (0 / 3)", "Processing b.tra (1 / 3)",
                            "Processing c.Tra (2 / 3)"}));
    EXPECT_EQ(Written(), (Names{"A.TRA", ReportName, "b.tra", "c.Tra"}));
}

TEST_F(BatchRunTest, TheCompletionLineShowsTheThresholdsWithTwoDecimalsInAnyLocale) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    RecoveryOptions options;
    options.veryLikelyThreshold = 97.5;
    options.search.minLikeliness = 90.125;  // an exact tie, which rounds away from zero
    // The desktop program runs under the user's locale; try one with a
    // decimal comma when the machine has it.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool commaLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;

    const ProgressSnapshot end = Run(options);

    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(end.progressText,
              "Completed (1 / 1) with threshold for very likely match 97.50 %, threshold for "
              "likely 90.13 %")
        << (commaLocale ? "under de_DE" : "under the C locale");
}

TEST_F(BatchRunTest, ADestinationEqualToTheModFolderReplacesEachModFileByItsRecovery) {
    AddModFile("a.tra", "@1 = ~Hello~\n@2 = ~Good bye~\n");
    AddModFile("b.tra", "@1 = ~Open the door~\n");
    paths.destinationDirectory = paths.modDirectory;

    const ProgressSnapshot end = Run();

    EXPECT_EQ(end.status, TraOk);
    EXPECT_EQ(NamesIn(paths.modDirectory), (Names{ReportName, "a.tra", "b.tra"}));
    EXPECT_EQ(TempDir::Read(root / "mod/b.tra"),
              "// Wordgleaner: case sensitive exact match found in file orig.tra at Id 3\r\n"
              "@1     = ~Ouvrez la porte~\r\n");
}

TEST_F(BatchRunTest, ASecondRunIntoTheSameFolderOverwritesEveryOutputAndRecountsFromZero) {
    AddModFile("a.tra", "@1 = ~Hello~\n@2 = ~Good bye~\n");
    RecoveryOptions options;
    options.generatePatch = true;
    const std::string firstSummary = Run(options).entryText;
    root.Write("out/a.tra", "stale text that must go\n");
    root.Write("out/" + std::string(PatchName), "stale patch\n");
    root.Write("out/" + std::string(ReportName), "stale report\nwith more lines\n\n\n");

    options.commentMode = CommentNone;
    const ProgressSnapshot end = Run(options);

    EXPECT_EQ(end.entryText, firstSummary);
    EXPECT_EQ(Out("a.tra"), "@1     = ~Bonjour~\r\n@2     = ~Au revoir~\r\n");
    EXPECT_EQ(Out(PatchName).rfind("// Recovered for a.tra", 0), 0u);
    EXPECT_EQ(Out(ReportName), CompletedText(1, 1) + "\r\n" + firstSummary + "\r\n");
}

TEST_F(BatchRunTest, LongPathsWork) {
#if defined(_WIN32)
    GTEST_SKIP() << "the 8-bit file API of Windows stops at MAX_PATH (260 bytes)";
#endif
    fs::path deep = root.Path() / "mod";
    while (deep.string().size() < 300) {
        deep /= std::string(50, 'm');
    }
    fs::create_directories(deep);
    paths.modDirectory = deep.string();
    paths.destinationDirectory = deep.string();
    root.Write((fs::relative(deep, root.Path()) / "a.tra").string(), "@1 = ~Hello~\n");
    RecoveryOptions options;
    options.generatePatch = true;

    const ProgressSnapshot end = Run(options);

    EXPECT_EQ(end.status, TraOk);
    EXPECT_EQ(NamesIn(deep), (Names{ReportName, "a.tra", PatchName}));
}

// --- Failures ---------------------------------------------------------------

// The folder is named with what is wrong with it, so the user knows
// whether to fix the path or the folder.
TEST_F(BatchRunTest, AModFolderWithNoTraFileFailsWithItsPathAndWhyBeforeLoadingAnything) {
    fs::create_directory(root.Path() / "mod/english");
    AddModFile("readme.txt", "not a tra file");
    paths.referenceOriginal = root / "no such reference.tra";
    const std::string missing = (root.Path() / "missing").string();
    const std::string file = root / "orig.tra";
    struct Case {
        std::string modFolder, text;
    };
    for (const Case& each :
         {Case{paths.modDirectory, paths.modDirectory + " holds no tra file."},
          Case{missing, missing + " does not exist."}, Case{file, file + " is not a folder."},
          Case{"", "no folder was given."}}) {
        paths.modDirectory = each.modFolder;
        const ProgressSnapshot end = Run();

        EXPECT_EQ(end.status, TraOpenFailed) << each.modFolder;
        EXPECT_EQ(end.progressText, NoFileText + each.text);
        EXPECT_EQ(end.entryText, "");
        EXPECT_TRUE(end.Ended());
        EXPECT_EQ(Written(), Names{ReportName});
        EXPECT_EQ(Out(ReportName), end.progressText + "\r\n\r\n");
    }
}

#if !defined(_WIN32)
TEST_F(BatchRunTest, AModFolderThatCannotBeListedIsToldWithTheSystemsReason) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root lists every folder";
    }
    fs::permissions(paths.modDirectory, fs::perms::owner_write);

    const ProgressSnapshot end = Run();

    fs::permissions(paths.modDirectory, fs::perms::owner_all);
    EXPECT_EQ(end.progressText, NoFileText + paths.modDirectory + " cannot be listed (" +
                                    std::make_error_code(std::errc::permission_denied).message() +
                                    ").");
}
#endif

TEST_F(BatchRunTest, AReferenceThatFailsToLoadIsNamedByItsPathAndEndsTheRun) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    const std::string original = paths.referenceOriginal;
    const std::string missing = root / "missing.tra";
    struct Case {
        std::string original, translated, named, cause;
    };
    const std::string notFound =
        std::make_error_code(std::errc::no_such_file_or_directory).message();
    const std::string openFailed = "Failed to open file (" + notFound + ")";
    for (const Case& failing :
         {Case{missing, paths.referenceTranslated, missing, openFailed},
          Case{original, missing, missing, openFailed},
          Case{root.Write("bad.tra", "// first\n@1 ~x~\n"), original, root / "bad.tra",
               "Missing equal sign after string Id at line 2"}}) {
        paths.referenceOriginal = failing.original;
        paths.referenceTranslated = failing.translated;
        RecoveryOptions options;
        options.generatePatch = true;
        const ProgressSnapshot end = Run(options);

        const int expectedStatus = failing.named == missing ? TraOpenFailed : TraNoEqualSign;
        EXPECT_EQ(end.status, expectedStatus) << failing.named;
        const std::string text = "Failed to load " + failing.named + ", cause: " + failing.cause;
        EXPECT_EQ(end.progressText, text);
        EXPECT_TRUE(end.Ended());
        EXPECT_EQ(Written(), Names{ReportName}) << "no recovered file and no patch";
        EXPECT_EQ(Out(ReportName), text + "\r\n\r\n");
    }
}

#if !defined(_WIN32)  // links need privileges there
TEST_F(BatchRunTest, ADanglingLinkInTheModFolderFailsToLoadAndSaysWhy) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    fs::create_symlink(root.Path() / "gone.tra", root.Path() / "mod/b.tra");
    AddModFile("c.tra", "@1 = ~Hello~\n");

    const ProgressSnapshot end = Run();

    EXPECT_EQ(end.status, TraOpenFailed);
    EXPECT_EQ(end.progressText,
              "Failed to load b, cause: Failed to open file (" +
                  std::make_error_code(std::errc::no_such_file_or_directory).message() + ")");
    EXPECT_EQ(Written(), (Names{ReportName, "a.tra"})) << "the files after it are not touched";
}
#endif

// The lock on the destination is the run's first step.
TEST_F(BatchRunTest, AMissingDestinationFailsBeforeAnyLoadAndWritesNothing) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    AddModFile("b.tra", "@1 = ~Hello~\n");
    paths.destinationDirectory = root / "not created";
    paths.referenceOriginal = root / "never loaded.tra";

    const ProgressSnapshot end = Run();

    EXPECT_EQ(end.status, TraOpenFailed);
    // The cause is the system's own words, which differ between systems.
    const std::string named =
        "Cannot write into the destination folder " + paths.destinationDirectory + ", cause: ";
    EXPECT_TRUE(end.progressText.starts_with(named)) << end.progressText;
    EXPECT_GT(end.progressText.size(), named.size()) << "a cause is told";
    EXPECT_TRUE(end.Ended());
    EXPECT_FALSE(fs::exists(paths.destinationDirectory));
}

TEST_F(BatchRunTest, AnUnsavableRecoveredFileStopsTheBatchAndKeepsTheFilesBeforeIt) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    AddModFile("b.tra", "@1 = ~Good bye~\n");
    AddModFile("c.tra", "@1 = ~Hello~\n");
    root.Write("out/b.tra/blocker", "a folder where b.tra should go");
    RecoveryOptions options;
    options.generatePatch = true;

    const ProgressSnapshot end = Run(options);

    const std::string text = "Failed to save b.tra, cause: Failed to open file (" +
                             std::make_error_code(std::errc::is_a_directory).message() + ")";
    EXPECT_EQ(end.status, TraOpenFailed);
    EXPECT_EQ(end.progressText, text);
    EXPECT_EQ(end.filesDone, 1);
    EXPECT_EQ(Written(), (Names{ReportName, "a.tra", "b.tra", PatchName}));
    EXPECT_TRUE(fs::is_directory(root / "out/b.tra"));
    EXPECT_EQ(Out(ReportName), text + "\r\n" + end.entryText + "\r\n");
    EXPECT_NE(Out(PatchName).find("// End of recovery for b.tra"), std::string::npos)
        << "the patch keeps what was recovered";
}

// A check point that throws stands for an allocation that fails there.
TEST_F(BatchRunTest, RunningOutOfMemoryFailsTheRunNamingTheStageAndTheReportTellsIt) {
    AddModFile("a.tra", "@1 = ~Hello~\n@2 = ~Good bye~\n");
    RecoveryOptions options;
    options.generatePatch = true;
    struct Case {
        CheckPoint point;
        std::string stage;
        Names written;
    };
    for (const Case& each :
         {Case{CheckPoint::AfterTranslatedReference, "loading " + paths.referenceTranslated,
               Names{ReportName}},
          Case{CheckPoint::BeforeEntry, "recovering a.tra", Names{ReportName, PatchName}}}) {
        fs::remove_all(paths.destinationDirectory);
        fs::create_directory(paths.destinationDirectory);
        atCheckPoint = [point = each.point](CheckPoint reached) -> bool {
            if (reached == point) {
                throw std::bad_alloc();
            }
            return false;
        };
        const ProgressSnapshot end = Run(options);

        EXPECT_EQ(end.status, TraNoMemory);
        EXPECT_EQ(end.progressText, "Memory allocation failure while " + each.stage);
        EXPECT_EQ(Written(), each.written) << "never the file being recovered";
        EXPECT_EQ(Out(ReportName).rfind(end.progressText + "\r\n", 0), 0u) << Out(ReportName);
    }
    EXPECT_EQ(Out(PatchName).rfind("// Recovered for a.tra", 0), 0u)
        << "the patch keeps the lines written before";
}

// --- Abort at each check point ----------------------------------------------

TEST_F(BatchRunTest, AnAbortSeenAfterAReferenceLoadEndsTheRunAsStoppedWithStatusZero) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    RecoveryOptions options;
    options.generatePatch = true;
    for (CheckPoint point :
         {CheckPoint::AfterOriginalReference, CheckPoint::AfterTranslatedReference}) {
        atCheckPoint = AbortAt(point);
        const ProgressSnapshot end = Run(options);

        const std::string text = "Stopped while loading the references";
        EXPECT_EQ(end.status, TraOk);
        EXPECT_EQ(end.fileCount, 0);
        EXPECT_EQ(end.progressText, text);
        EXPECT_TRUE(end.Ended());
        EXPECT_EQ(Written(), Names{ReportName}) << "no recovered file and no patch";
        EXPECT_EQ(Out(ReportName), "Process interrupted.\r\n" + text + "\r\n\r\n");
    }
}

TEST_F(BatchRunTest, AnAbortBeforeAFileLeavesThatFileAndTheRestUnwritten) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    AddModFile("b.tra", "@1 = ~Good bye~\n");
    AddModFile("c.tra", "@1 = ~Hello~\n");
    atCheckPoint = AbortAt(CheckPoint::BeforeFile, 2);
    RecoveryOptions options;
    options.generatePatch = true;

    const ProgressSnapshot end = Run(options);

    EXPECT_EQ(end.status, TraOk);
    EXPECT_EQ(end.progressText, CompletedText(1, 3));
    EXPECT_EQ(end.fileCount, 3);
    EXPECT_EQ(end.filesDone, 1);
    EXPECT_EQ(end.partialFile, "");
    EXPECT_EQ(Written(), (Names{ReportName, "a.tra", PatchName}));
    EXPECT_EQ(Out(ReportName), "Process interrupted.\r\n" + CompletedText(1, 3) +
                                   "\r\nEntries: 1, Exact match: 1, Very likely match: 0, "
                                   "Likely match: 0\r\n");
    EXPECT_EQ(Out(PatchName).find("(interrupted)"), std::string::npos)
        << "the first file was finished before the abort";
}

TEST_F(BatchRunTest, AnAbortInsideAFileNamesItAsPartialAndCountsOnlyTheFilesBefore) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    AddModFile("b.tra", "@1 = ~Hello~\n@2 = ~Good bye~\n");
    AddModFile("c.tra", "@1 = ~Hello~\n");
    atCheckPoint = AbortAt(CheckPoint::BeforeEntry, 3);  // the second entry of b.tra

    const ProgressSnapshot end = Run();

    EXPECT_EQ(end.status, TraOk);
    EXPECT_EQ(end.fileCount, 3);
    EXPECT_EQ(end.filesDone, 1);
    EXPECT_EQ(end.partialFile, "b.tra");
    EXPECT_EQ(end.progressText, CompletedText(1, 3)) << "b.tra is not counted as done";
    EXPECT_EQ(Written(), (Names{ReportName, "a.tra", "b.tra"}));
    EXPECT_NE(Out("b.tra").find("@2     = ~Good bye~"), std::string::npos);
    EXPECT_EQ(Out(ReportName),
              "Process interrupted.\r\n" + CompletedText(1, 3) + "\r\n" + end.entryText +
                  "\r\nb.tra was saved with the entries done before the stop.\r\n");
}

TEST_F(BatchRunTest, AnAbortBeforeTheFirstFileStillClosesAnEmptyPatch) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    atCheckPoint = AbortAt(CheckPoint::BeforeFile, 1);
    RecoveryOptions options;
    options.generatePatch = true;

    const ProgressSnapshot end = Run(options);

    EXPECT_EQ(end.progressText, CompletedText(0, 1));
    EXPECT_EQ(Written(), (Names{ReportName, PatchName}));
    EXPECT_EQ(Out(PatchName), "");
}

TEST_F(BatchRunTest, ANewRunAfterAnAbortedOneRunsToTheEnd) {
    AddModFile("a.tra", "@1 = ~Hello~\n");
    AddModFile("b.tra", "@1 = ~Hello~\n");
    atCheckPoint = AbortAt(CheckPoint::BeforeFile, 2);
    ASSERT_EQ(Run().progressText, CompletedText(1, 2));

    atCheckPoint = nullptr;
    const ProgressSnapshot end = Run();

    EXPECT_EQ(end.progressText, CompletedText(2, 2));
    EXPECT_EQ(Out(ReportName).find("Process interrupted."), std::string::npos);
}

}  // namespace
