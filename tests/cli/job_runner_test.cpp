// The command-line tool's polling loop against a real worker thread.

#include "cli/job_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>

#include "job/check_point.h"
#include "job/recovery_job.h"
#include "store/tra_error.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

using test_support::TempDir;

namespace {

constexpr std::chrono::milliseconds FastPolling{1};
constexpr auto HangLimit = std::chrono::seconds(120);

class JobRunner : public ::testing::Test {
protected:
    JobRunner() {
        request.referenceOriginal = root.Write("orig.tra", "@1 = ~Hello~\n");
        request.referenceTranslated = root.Write("trans.tra", "@1 = ~Bonjour~\n");
        root.Write("mod/a.tra", "@10 = ~Hello~\n@11 = ~Unknown~\n");
        request.modDirectory = root / "mod";
        request.destinationDirectory = root / "out";
        std::filesystem::create_directory(request.destinationDirectory);
    }

    int Run(std::function<bool()> interrupt = {}) { return Run(job, std::move(interrupt)); }
    int Run(RecoveryJob& which, std::function<bool()> interrupt = {}) {
        LineProgressView view(out);
        return RunRecovery(which, request, {view, out, err, std::move(interrupt), FastPolling});
    }

    TempDir root;
    CliRequest request;
    CheckPointHook atCheckPoint;  // set by a test before its run
    RecoveryJob job{
        {.atCheckPoint = [this](CheckPoint point) { return atCheckPoint && atCheckPoint(point); }}};
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(JobRunner, ASuccessfulRunEndsWithTheCompletionAndSummaryLinesAndExitCodeZero) {
    EXPECT_EQ(Run(), 0);

    const std::string text = out.str();
    const std::string ending =
        "Completed (1 / 1) with threshold for very likely match 95.00 %, threshold for likely "
        "50.00 %\nEntries: 2, Exact match: 1, Very likely match: 0, Likely match: 0\n";
    ASSERT_GE(text.size(), ending.size()) << text;
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
    EXPECT_EQ(text.find(ending), text.size() - ending.size()) << "the completion line only once";
    EXPECT_EQ(err.str(), "");
}

TEST_F(JobRunner, AFailedRunExitsWithItsStatusAndSaysSoOnTheErrorStream) {
    request.referenceOriginal = root / "missing.tra";

    EXPECT_EQ(Run(), TraOpenFailed);

    EXPECT_NE(out.str().find("Failed to load " + request.referenceOriginal +
                             ", cause: Failed to open file ("),
              std::string::npos)
        << out.str();
    EXPECT_EQ(err.str(), "wordgleaner-cli: failed with status 4 (Failed to open file)\n");
}

TEST_F(JobRunner, AnInterruptRequestsTheAbortAndTheRunStillEndsNormally) {
    // The worker waits after the first reference load until the abort
    // request has arrived, so the order never depends on timing.
    atCheckPoint = [this](CheckPoint point) {
        const auto limit = std::chrono::steady_clock::now() + HangLimit;
        while (point == CheckPoint::AfterOriginalReference && !job.Snapshot().abortRequested &&
               std::chrono::steady_clock::now() < limit) {
            std::this_thread::yield();
        }
        return false;
    };
    std::atomic<int> interruptPolls{0};

    const int exitCode = Run([&interruptPolls] {
        ++interruptPolls;
        return true;
    });

    EXPECT_EQ(exitCode, InterruptedExitCode) << "a stopped run is no success";
    const std::string text = out.str();
    EXPECT_NE(text.find("Abort requested"), std::string::npos) << text;
    EXPECT_NE(text.find("any stop signal again"), std::string::npos) << text;
    EXPECT_NE(text.find("Process interrupted.\nStopped while loading the references\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(err.str(), "wordgleaner-cli: Stopped while loading the references\n");
    EXPECT_EQ(text.find("Abort requested"), text.rfind("Abort requested")) << "told once";
    EXPECT_GE(interruptPolls.load(), 1);
}

TEST_F(JobRunner, AnInterruptInsideAFileTellsTheFilesDoneAndThePartialOne) {
    root.Write("mod/b.tra", "@20 = ~Hello~\n@21 = ~Hello~\n");
    root.Write("mod/c.tra", "@30 = ~Hello~\n");
    std::atomic<int> entries{0};
    atCheckPoint = [&entries](CheckPoint point) {
        return point == CheckPoint::BeforeEntry && ++entries == 4;  // b.tra's second entry
    };

    EXPECT_EQ(Run(), InterruptedExitCode);

    EXPECT_EQ(err.str(),
              "wordgleaner-cli: Stopped after 1 of 3 files; b.tra was saved with the "
              "entries done before the stop.\n");
}

// --- The destination, checked before anything is loaded --------------------

TEST_F(JobRunner, ADestinationThatIsTheModFolderIsRefusedUnlessInPlaceIsGiven) {
    request.destinationDirectory = request.modDirectory;
    const std::string modFile = TempDir::Read(root / "mod/a.tra");

    EXPECT_EQ(Run(), UsageExitCode);

    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("the mod folder"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("--in-place"), std::string::npos) << err.str();
    EXPECT_EQ(TempDir::Read(root / "mod/a.tra"), modFile) << "nothing replaced";

    request.inPlace = true;
    err.str("");
    EXPECT_EQ(Run(), 0) << err.str();
    EXPECT_NE(TempDir::Read(root / "mod/a.tra"), modFile);
}

TEST_F(JobRunner, ADestinationHoldingAReferenceIsRefusedAndTheReferenceKept) {
    request.destinationDirectory = root.Path().string();

    EXPECT_EQ(Run(), UsageExitCode);

    EXPECT_NE(err.str().find("holds the reference file " + request.referenceOriginal),
              std::string::npos)
        << err.str();
    EXPECT_FALSE(std::filesystem::exists(root / "a.tra"));
}

TEST_F(JobRunner, AMissingDestinationFailsWithCodeFourEvenInPlace) {
    request.destinationDirectory = root / "missing";
    request.inPlace = true;

    EXPECT_EQ(Run(), TraOpenFailed);

    EXPECT_EQ(err.str(),
              "wordgleaner-cli: The destination folder " + root / "missing" + " does not exist\n");
    EXPECT_EQ(out.str(), "");
}

TEST_F(JobRunner, KeepGoingPrintsEverySkippedFileAndExitsWithTheFirstFailure) {
    root.Write("mod/b.tra", "@1 ~no equal sign~\n");
    root.Write("mod/c.tra", "@30 = ~Hello~\n");
    request.options.keepGoing = true;

    EXPECT_EQ(Run(), TraNoEqualSign);

    EXPECT_NE(out.str().find("; 1 file skipped after a failure\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\nSkipped b.tra: Failed to load b, cause: "), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(root / "out/c.tra"));
}

// --- Sub-folders ------------------------------------------------------------

TEST_F(JobRunner, SubFoldersLeftOutAreNamedAfterTheSummaryWithoutChangingTheExitCode) {
    root.Write("mod/d/b.tra", "@20 = ~Hello~\n");

    EXPECT_EQ(Run(), 0);

    const std::string tail =
        "Entries: 2, Exact match: 1, Very likely match: 0, Likely match: 0\n"
        "Sub-folders not searched: d (1 tra file); include them with --recursive\n";
    EXPECT_TRUE(out.str().ends_with(tail)) << out.str();
    EXPECT_FALSE(std::filesystem::exists(root / "out/d"));
}

// A mod language folder whose files all sit in sub-folders: the run has
// nothing to do, and the line tells why.
TEST_F(JobRunner, TheLineIsPrintedEvenWhenNoFileLiesDirectlyInTheModFolder) {
    std::filesystem::remove(root / "mod/a.tra");
    root.Write("mod/d/b.tra", "@20 = ~Hello~\n");
    root.Write("mod/d/e/c.tra", "@30 = ~Hello~\n");

    EXPECT_EQ(Run(), TraOpenFailed);

    EXPECT_TRUE(
        out.str().ends_with(" holds no tra file.\n"
                            "Sub-folders not searched: d (2 tra files); include them "
                            "with --recursive\n"))
        << out.str();
}

TEST_F(JobRunner, WithRecursiveADestinationInsideTheModFolderNeedsInPlace) {
    root.Write("mod/d/b.tra", "@20 = ~Hello~\n");
    request.destinationDirectory = root / "mod/out";
    std::filesystem::create_directory(request.destinationDirectory);
    request.options.includeSubFolders = true;

    EXPECT_EQ(Run(), UsageExitCode);
    EXPECT_NE(err.str().find("inside the mod folder"), std::string::npos) << err.str();
    EXPECT_TRUE(std::filesystem::is_empty(request.destinationDirectory));

    request.options.includeSubFolders = false;
    err.str("");
    EXPECT_EQ(Run(), 0) << "without the sub-folders the run reads nothing there";
}

TEST_F(JobRunner, AWorkerThreadThatCannotStartIsToldAndExitsWithTheSystemErrorCode) {
    RecoveryJob refused({.makeThread = [](std::function<void()>) -> std::jthread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }});

    EXPECT_EQ(Run(refused), NoThreadExitCode);

    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "wordgleaner-cli: cannot start the worker thread\n");
}

}  // namespace
