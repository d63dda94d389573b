// Outputs a run cannot write: a full disk or a protected file fails the run
// with a message naming the file and the system's reason, and never leaves
// an earlier run's patch or report looking like this run's: a report that
// cannot be written leaves the report the run began with.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "job/recovery_job.h"
#include "store/tra_error.h"
#include "support/batch_files.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::TempDir;

namespace {

constexpr const char* ReportName = "Wordgleaner_report.txt";
constexpr const char* PatchName = "tp2patch.tp2";
const std::string StaleText = "stale output of an earlier run\n";
const std::string StartReport =
    "Process started, not ended.\r\nThe run replaces this report when it ends.\r\n";

std::string Reason(std::errc error) {
    return std::make_error_code(error).message();
}

class BatchOutputFailureTest : public ::testing::Test {
protected:
    BatchOutputFailureTest() {
        paths = {root.Write("orig.tra", "@1 = ~Hello~\n"),
                 root.Write("trans.tra", "@1 = ~Salut~\n"), root / "mod", root / "out"};
        fs::create_directory(root.Path() / "mod");
        fs::create_directory(root.Path() / "out");
        options.commentMode = CommentNone;  // small recovered files
    }

    // Ten entries: about 200 bytes recovered, 550 bytes of patch lines.
    void AddTenEntryModFile(const std::string& name) {
        std::string text;
        for (int id = 100; id < 110; ++id) {
            text += "@" + std::to_string(id) + " = ~Hello~\n";
        }
        root.Write("mod/" + name, text);
    }

    std::string Out(const std::string& name) const { return TempDir::Read(root / ("out/" + name)); }
    bool Exists(const std::string& name) const { return fs::exists(root.Path() / "out" / name); }
    void Protect(const std::string& name) {
        fs::permissions(root.Path() / "out" / name,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }

    ProgressSnapshot Run() { return test_support::RunBatch(job, paths, options); }

    TempDir root;
    test_support::BatchPaths paths;
    RecoveryOptions options;
    RecoveryJob job;
};

#if !defined(_WIN32)
TEST_F(BatchOutputFailureTest, APatchThatCannotBeWrittenFailsTheRunAndTheOldPatchGoes) {
    AddTenEntryModFile("a.tra");
    root.Write("out/" + std::string(PatchName), StaleText);
    options.generatePatch = true;
    ProgressSnapshot end;
    {
        test_support::FileSizeLimit limit(300);
        end = Run();
    }

    EXPECT_EQ(end.status, TraWriteFailed);
    const std::string text = "Failed to write tp2patch.tp2, cause: File write failure (" +
                             Reason(std::errc::file_too_large) + ")";
    EXPECT_EQ(end.progressText, text);
    EXPECT_FALSE(Exists(PatchName)) << "the earlier run's patch is not left in place";
    EXPECT_EQ(Out(ReportName).rfind(text + "\r\n", 0), 0u) << Out(ReportName);
    EXPECT_EQ(Out("a.tra").find("@100   = ~Salut~\r\n"), 0u) << "the recovered file is kept";
}

TEST_F(BatchOutputFailureTest, AReportThatCannotBeWrittenFailsTheRunAndLeavesTheStartReport) {
    root.Write("mod/a.tra", "@1 = ~Hello~\n");
    root.Write("out/" + std::string(ReportName), StaleText);
    ProgressSnapshot end;
    {
        test_support::FileSizeLimit limit(100);
        end = Run();
    }

    EXPECT_EQ(end.status, TraWriteFailed);
    EXPECT_EQ(end.progressText,
              "Failed to write Wordgleaner_report.txt, cause: File write "
              "failure (" +
                  Reason(std::errc::file_too_large) + ")");
    EXPECT_EQ(Out(ReportName), StartReport) << "never the earlier run's";
    EXPECT_EQ(Out("a.tra"), "@1     = ~Salut~\r\n");
}

TEST_F(BatchOutputFailureTest, ARecoveredFileThatCannotBeSavedIsNamedWithTheCause) {
    AddTenEntryModFile("a.tra");
    root.Write("mod/b.tra", "@1 = ~Hello~\n");
    ProgressSnapshot end;
    {
        test_support::FileSizeLimit limit(100);
        end = Run();
    }

    EXPECT_EQ(end.status, TraWriteFailed);
    EXPECT_EQ(end.progressText, "Failed to save a.tra, cause: File write failure (" +
                                    Reason(std::errc::file_too_large) + ")");
    EXPECT_FALSE(Exists("a.tra"));
    EXPECT_FALSE(Exists("b.tra")) << "the batch stopped at the failure";
}
#endif

// Files of the destination whose write permission was taken away are
// refused like files that cannot be created, and kept as they are.
TEST_F(BatchOutputFailureTest, AWriteProtectedOutputIsRefusedWithCodeFourAndKept) {
    root.Write("mod/a.tra", "@1 = ~Hello~\n");
    options.generatePatch = true;
    const std::string denied = "Failed to open file (" + Reason(std::errc::permission_denied) + ")";
    struct Case {
        std::string protectedName, text;
    };
    for (const Case& protectedOutput :
         {Case{"a.tra", "Failed to save a.tra, cause: " + denied},
          Case{PatchName, "Failed to write tp2patch.tp2, cause: " + denied},
          Case{ReportName, "Failed to write Wordgleaner_report.txt, cause: " + denied}}) {
        fs::remove_all(root.Path() / "out");
        root.Write("out/" + protectedOutput.protectedName, StaleText);
        Protect(protectedOutput.protectedName);

        const ProgressSnapshot end = Run();

        EXPECT_EQ(end.status, TraOpenFailed) << protectedOutput.protectedName;
        EXPECT_EQ(end.progressText, protectedOutput.text);
        EXPECT_EQ(Out(protectedOutput.protectedName), StaleText);
        // Windows deletes no read-only file, not even to clean up.
        fs::permissions(root.Path() / "out" / protectedOutput.protectedName, fs::perms::owner_all);
    }
}

TEST_F(BatchOutputFailureTest, APatchThatCannotBeCreatedStopsTheRunBeforeAnyFile) {
    root.Write("mod/a.tra", "@1 = ~Hello~\n");
    root.Write("out/" + std::string(PatchName) + "/blocker", "a folder where the patch goes");
    options.generatePatch = true;

    const ProgressSnapshot end = Run();

    EXPECT_EQ(end.status, TraOpenFailed);
    EXPECT_EQ(end.progressText.rfind("Failed to write tp2patch.tp2, cause: Failed to open file", 0),
              0u)
        << end.progressText;
    EXPECT_FALSE(Exists("a.tra"));
    EXPECT_TRUE(fs::is_directory(root.Path() / "out" / PatchName)) << "a folder is never removed";
}

// The report begins the run: one that cannot be created stops it before
// anything is loaded or written.
TEST_F(BatchOutputFailureTest, AReportThatCannotBeCreatedFailsTheRunBeforeAnyFile) {
    root.Write("mod/a.tra", "@1 = ~Hello~\n");
    root.Write("out/" + std::string(ReportName) + "/blocker", "");
    paths.referenceOriginal = root / "never loaded.tra";

    const ProgressSnapshot end = Run();

    EXPECT_EQ(end.status, TraOpenFailed);
    EXPECT_EQ(end.progressText,
              "Failed to write Wordgleaner_report.txt, cause: Failed to open "
              "file (" +
                  Reason(std::errc::is_a_directory) + ")");
    EXPECT_FALSE(Exists("a.tra"));
    EXPECT_FALSE(Exists("Wordgleaner.lock"));
}

}  // namespace
