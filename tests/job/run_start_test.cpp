// What a run does to its destination before it lists or loads anything: the
// outputs of an earlier run go, and the report says that this run started
// and has not ended until the run's end replaces it.

#include "job/worker/run_start.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "job/check_point.h"
#include "job/recovery_job.h"
#include "store/tra_error.h"
#include "support/abort_at.h"
#include "support/batch_files.h"
#include "support/check_point_hold.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test_support::NamesIn;
using test_support::TempDir;

namespace {

constexpr const char* ReportName = "Wordgleaner_report.txt";
const std::string StartReport =
    "Process started, not ended.\r\nThe run replaces this report when it ends.\r\n";

class RunStartTest : public ::testing::Test {
protected:
    RunStartTest() {
        paths = {root.Write("orig.tra", "@1 = ~Hello~\n"),
                 root.Write("trans.tra", "@1 = ~Salut~\n"), root / "mod", root / "out"};
        root.Write("mod/a.tra", "@1 = ~Hello~\n");
        fs::create_directory(root.Path() / "out");
    }

    // A whole run with every output, as the earlier run of the destination.
    void RunWithEveryOutput() {
        RecoveryOptions every;
        every.generatePatch = true;
        every.writeReview = true;
        ASSERT_EQ(test_support::RunBatch(job, paths, every).status, TraOk);
        ASSERT_EQ(Written(), (Names{ReportName, "Wordgleaner_review.csv", "Wordgleaner_review.html",
                                    "a.tra", "tp2patch.tp2"}));
    }

    ProgressSnapshot Run() { return test_support::RunBatch(job, paths); }

    Names Written() const { return NamesIn(root.Path() / "out"); }
    std::string Report() const { return TempDir::Read(root / "out/Wordgleaner_report.txt"); }

    TempDir root;
    test_support::BatchPaths paths;
    test_support::CheckPointHold hold;
    CheckPointHook atCheckPoint;  // set by a test before its run
    RecoveryJob job{{.atCheckPoint = [this](CheckPoint point) {
        hold.Pass(point);
        return atCheckPoint && atCheckPoint(point);
    }}};
};

// What kill -9 would leave at any moment of the run: the start report,
// never the earlier run's.
TEST_F(RunStartTest, WhileARunGoesOnItsReportSaysItStartedAndNoEarlierOutputStays) {
    RunWithEveryOutput();
    hold.Arm(CheckPoint::AfterOriginalReference);
    ASSERT_TRUE(job.Start(paths.referenceOriginal, paths.referenceTranslated, paths.modDirectory,
                          paths.destinationDirectory, {}));
    ASSERT_TRUE(hold.WaitUntilHeld());

    EXPECT_EQ(Report(), StartReport);
    EXPECT_EQ(Written(), (Names{"Wordgleaner.lock", ReportName, "a.tra"}))
        << "the earlier patch and review are gone; its recovered file is replaced later";

    hold.Release();
    job.WaitForEnd();
    EXPECT_EQ(job.Snapshot().status, TraOk);
    EXPECT_EQ(Report().rfind("Completed (1 / 1)", 0), 0u) << Report();
    EXPECT_EQ(Written(), (Names{ReportName, "a.tra"}));
}

// A missing mod folder, a reference that fails, a stop while loading: each
// ends with its own report, and no earlier patch or review is left beside it.
TEST_F(RunStartTest, ARunThatEndsBeforeItsBatchLeavesItsOwnReportAndNoEarlierOutput) {
    struct Case {
        const char* what;
        std::string modDirectory, referenceOriginal;
        CheckPointHook atCheckPoint;
        std::string firstLine;
    };
    const std::string missing = root / "missing";
    const Case cases[] = {
        {"missing mod folder", missing, paths.referenceOriginal, nullptr,
         "No file to process. Check specified mod directory: " + missing + " does not exist."},
        {"failed reference load", paths.modDirectory, missing, nullptr,
         "Failed to load " + missing + ", cause: Failed to open file"},
        {"stop while loading", paths.modDirectory, paths.referenceOriginal,
         test_support::AbortAt(CheckPoint::AfterOriginalReference), "Process interrupted."},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        RunWithEveryOutput();
        paths.modDirectory = each.modDirectory;
        const std::string original = paths.referenceOriginal;
        paths.referenceOriginal = each.referenceOriginal;
        atCheckPoint = each.atCheckPoint;

        Run();

        EXPECT_EQ(Report().rfind(each.firstLine, 0), 0u) << Report();
        EXPECT_EQ(Written(), (Names{ReportName, "a.tra"}));
        paths.modDirectory = root / "mod";
        paths.referenceOriginal = original;
        atCheckPoint = nullptr;
    }
}

#if !defined(_WIN32)  // links need privileges there
TEST_F(RunStartTest, ALinkInAnOutputsPlaceGoesAndWhatItLeadsToStays) {
    const std::string victim = root.Write("victim.txt", "unrelated\n");
    fs::create_symlink(victim, root.Path() / "out/tp2patch.tp2");
    fs::create_symlink(victim, root.Path() / "out/Wordgleaner_review.html");

    ASSERT_EQ(Run().status, TraOk);

    EXPECT_EQ(Written(), (Names{ReportName, "a.tra"}));
    EXPECT_EQ(TempDir::Read(victim), "unrelated\n");
}
#endif

TEST(RunStart, AProtectedEarlierOutputStaysAndAFolderForTheReportFails) {
    TempDir out;
    const std::string patch = out.Write("tp2patch.tp2", "protected on purpose\n");
    fs::permissions(patch, fs::perms::owner_read);
    out.Write("Wordgleaner_review.csv", "an earlier table\n");

    EXPECT_EQ(ReplaceEarlierOutputs(out.Path().string()).code, TraOk);

    EXPECT_EQ(NamesIn(out.Path()), (Names{ReportName, "tp2patch.tp2"}));
    EXPECT_EQ(TempDir::Read(out / ReportName), StartReport);
    fs::permissions(patch, fs::perms::owner_all);

    fs::remove(out / ReportName);
    fs::create_directory(out / ReportName);
    EXPECT_EQ(ReplaceEarlierOutputs(out.Path().string()).code, TraOpenFailed);
}

}  // namespace
