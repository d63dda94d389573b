// The command-line tool's polling loop against a real worker thread.

#include "cli/job_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
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
        request.destinationDirectory = root.Path().string();
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

    EXPECT_EQ(exitCode, 0) << "an aborted run is no failed one";
    const std::string text = out.str();
    EXPECT_NE(text.find("Abort requested"), std::string::npos) << text;
    EXPECT_NE(text.find("Process interrupted.\nFailed to load " + request.referenceOriginal +
                        ", cause: No error\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Abort requested"), text.rfind("Abort requested")) << "told once";
    EXPECT_GE(interruptPolls.load(), 1);
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
