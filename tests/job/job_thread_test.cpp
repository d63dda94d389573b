// The job's worker thread and the protocol between it and the job's owner:
// start, snapshots, abort, waiting for the end. Cross-thread steps are
// ordered by holding the worker at its check points, never by sleeping.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <thread>

#include "job/check_point.h"
#include "job/recovery_job.h"
#include "job/worker/shared_progress.h"
#include "job/worker/thread_priority.h"
#include "store/tra_error.h"
#include "support/abort_at.h"
#include "support/check_point_hold.h"
#include "support/temp_dir.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#elif defined(_WIN32)
#include <windows.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::CheckPointHold;
using test_support::TempDir;

namespace {

// Spins on the caller's condition; only a hung worker ever gets near the limit.
template <typename Condition>
bool SpinUntil(Condition condition) {
    const auto limit = std::chrono::steady_clock::now() + CheckPointHold::HangLimit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}

class JobThread : public ::testing::Test {
protected:
    JobThread() {
        original = root.Write("orig.tra", "@1 = ~Hello~\n@2 = ~Good bye~\n");
        translated = root.Write("trans.tra", "@1 = ~Bonjour~\n@2 = ~Au revoir~\n");
        root.Write("mod/a.tra", "@1 = ~Hello~\n@2 = ~Good bye~\n");
        root.Write("mod/b.tra", "@1 = ~Good bye~\n");
        fs::create_directory(root.Path() / "out");
    }
    // A worker still held goes on, so that the job can end.
    ~JobThread() override { hold.Release(); }

    bool Start(RecoveryJob& which, const std::string& modFolder = {}) {
        return which.Start(original, translated, modFolder.empty() ? root / "mod" : modFolder,
                           root / "out", RecoveryOptions{});
    }
    bool Start(const std::string& modFolder = {}) { return Start(job, modFolder); }

    ProgressSnapshot RunToEnd(const std::string& modFolder = {}) {
        EXPECT_TRUE(Start(modFolder));
        job.WaitForEnd();
        return job.Snapshot();
    }

    std::string Report() const { return TempDir::Read(root / "out/Wordgleaner_report.txt"); }

    TempDir root;
    std::string original;
    std::string translated;
    CheckPointHold hold;
    CheckPointHook atCheckPoint;  // set by a test before a run
    RecoveryJob job{{.atCheckPoint = [this](CheckPoint point) {
        hold.Pass(point);
        return atCheckPoint && atCheckPoint(point);
    }}};
};

TEST_F(JobThread, RunsTheBatchOnItsOwnThreadWhileTheOwnerPollsWholeSnapshots) {
    std::thread::id worker;
    atCheckPoint = [&worker](CheckPoint) {
        worker = std::this_thread::get_id();
        return false;
    };

    ASSERT_TRUE(Start());
    // Poll the way the window does, only faster: every read must be safe
    // while the worker writes (ThreadSanitizer checks this in scripts/test).
    ProgressSnapshot seen;
    bool countersBeforeTheEnd = false;
    ASSERT_TRUE(SpinUntil([&] {
        seen = job.Snapshot();
        EXPECT_LE(seen.entryPercent, 100);
        countersBeforeTheEnd |= !seen.Ended() && seen.counters != BatchCounters{};
        return seen.Ended();
    }));
    job.WaitForEnd();

    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_FALSE(countersBeforeTheEnd) << "the counters are published by the last write";
    EXPECT_EQ(seen.status, TraOk);
    EXPECT_EQ(seen.progressText.rfind("Completed (2 / 2)", 0), 0u);
    EXPECT_EQ(seen.counters, (BatchCounters{3, 3, 0, 0, 0}));
    EXPECT_EQ(Report().rfind("Completed (2 / 2)", 0), 0u) << "the report is written before the end";
}

TEST_F(JobThread, AnAbortRequestedDuringAReferenceLoadTakesEffectRightAfterIt) {
    hold.Arm(CheckPoint::AfterOriginalReference);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(hold.WaitUntilHeld());

    job.RequestAbort();  // from this (the owner's) thread
    EXPECT_TRUE(job.Snapshot().abortRequested);
    EXPECT_FALSE(job.Ended());
    hold.Release();
    job.WaitForEnd();

    const ProgressSnapshot end = job.Snapshot();
    EXPECT_TRUE(end.Ended());
    EXPECT_EQ(end.status, TraOk) << "an aborted run is no failed run";
    EXPECT_EQ(end.progressText, "Stopped while loading the references");
    EXPECT_EQ(Report().rfind("Process interrupted.\r\n", 0), 0u);
    EXPECT_FALSE(fs::exists(root / "out/a.tra"));
}

TEST_F(JobThread, AnAbortDuringAFileStopsBeforeItsNextEntryAndTheFileIsStillWritten) {
    hold.Arm(CheckPoint::BeforeEntry, 2);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(hold.WaitUntilHeld());

    job.RequestAbort();
    job.RequestAbort();  // pressing Cancel again changes nothing more
    hold.Release();
    job.WaitForEnd();

    const ProgressSnapshot end = job.Snapshot();
    EXPECT_EQ(end.status, TraOk);
    EXPECT_EQ(end.progressText.rfind("Completed (0 / 2)", 0), 0u) << "a.tra is not done";
    EXPECT_EQ(end.partialFile, "a.tra");
    EXPECT_EQ(end.counters.entriesProcessed, 1);
    const std::string recovered = TempDir::Read(root / "out/a.tra");
    EXPECT_NE(recovered.find("~Bonjour~"), std::string::npos);
    EXPECT_NE(recovered.find("~Good bye~"), std::string::npos) << "the second entry is untouched";
    EXPECT_FALSE(fs::exists(root / "out/b.tra"));
}

TEST_F(JobThread, StartingAgainClearsWhatTheRunBeforeLeftAndCountsFromZero) {
    ASSERT_EQ(RunToEnd((root.Path() / "missing").string()).status, TraOpenFailed);

    // An aborted run after the failed one: until its worker writes, it shows
    // nothing of the failure.
    hold.Arm(CheckPoint::AfterOriginalReference);
    atCheckPoint = test_support::AbortAt(CheckPoint::BeforeFile, 2);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(hold.WaitUntilHeld());
    ProgressSnapshot expected;
    expected.progressText = "Loading reference tra file in original language...";
    EXPECT_EQ(job.Snapshot(), expected);
    hold.Release();
    job.WaitForEnd();
    ProgressSnapshot end = job.Snapshot();
    EXPECT_EQ(end.status, TraOk);
    EXPECT_TRUE(end.abortRequested);
    ASSERT_EQ(end.progressText.rfind("Completed (1 / 2)", 0), 0u);

    atCheckPoint = nullptr;
    end = RunToEnd();

    EXPECT_FALSE(end.abortRequested);
    EXPECT_EQ(end.progressText.rfind("Completed (2 / 2)", 0), 0u) << end.progressText;
    EXPECT_EQ(end.entryText, "Entries: 3, Exact match: 3, Very likely match: 0, Likely match: 0");
    EXPECT_EQ(end.counters, (BatchCounters{3, 3, 0, 0, 0}));
    EXPECT_EQ(Report().find("Process interrupted."), std::string::npos);
}

TEST_F(JobThread, WaitingForTheEndReturnsAtOnceWhenNoWorkerRuns) {
    job.WaitForEnd();  // never started
    EXPECT_FALSE(job.Ended());

    RunToEnd();
    job.WaitForEnd();  // already waited for
    EXPECT_TRUE(job.Ended());
}

TEST_F(JobThread, DestroyingARunningJobRequestsItsAbortAndWaitsForItsWorker) {
    // The worker waits before its second entry until the job's destructor
    // has asked it to stop.
    RecoveryJob* running = nullptr;
    std::atomic<bool> arrived{false};
    auto doomed = std::make_unique<RecoveryJob>(
        JobHooks{.atCheckPoint = [&running, &arrived, entries = 0](CheckPoint point) mutable {
            if (point == CheckPoint::BeforeEntry && ++entries == 2) {
                arrived = true;
                SpinUntil([&running] { return running->Snapshot().abortRequested; });
            }
            return false;
        }});
    running = doomed.get();
    ASSERT_TRUE(Start(*doomed));
    ASSERT_TRUE(SpinUntil([&arrived] { return arrived.load(); }));

    doomed.reset();

    EXPECT_EQ(Report().rfind("Process interrupted.\r\nCompleted (0 / 2)", 0), 0u) << Report();
    EXPECT_NE(Report().find("\r\na.tra was saved with the entries done before the stop.\r\n"),
              std::string::npos)
        << Report();
    EXPECT_TRUE(fs::exists(root / "out/a.tra"));
    EXPECT_FALSE(fs::exists(root / "out/b.tra"));
}

TEST_F(JobThread, AJobThatGetsNoThreadSaysSoAndHasNothingToWaitFor) {
    RecoveryJob refused({.makeThread = [](std::function<void()>) -> std::jthread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }});

    EXPECT_FALSE(Start(refused));
    refused.WaitForEnd();
    EXPECT_FALSE(refused.Ended());
    EXPECT_FALSE(fs::exists(root / "out/Wordgleaner_report.txt"));
}

// The owner reads while the worker writes: every snapshot is one moment,
// with whole texts.
TEST(SharedProgress, ASnapshotNeverMixesTwoMoments) {
    SharedProgress progress;
    const std::string shortText = "Processing entry 1 / 2 (0 / 0 / 0)";
    const std::string longText(1000, 'x');
    constexpr int ShortPercent = 50;
    constexpr int LongPercent = 0;
    progress.SetEntryProgress(shortText, ShortPercent);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            const bool useLong = i % 2 == 0;
            progress.SetEntryProgress(useLong ? longText : shortText,
                                      useLong ? LongPercent : ShortPercent);
        }
        done = true;
    });
    int reads = 0;
    while (!done || reads == 0) {
        const ProgressSnapshot seen = progress.Snapshot();
        ASSERT_TRUE((seen.entryText == shortText && seen.entryPercent == ShortPercent) ||
                    (seen.entryText == longText && seen.entryPercent == LongPercent))
            << seen.entryText.size() << " " << seen.entryPercent;
        ++reads;
    }
    writer.join();
}

#if defined(__linux__)
int NiceOfCallingThread() {
    return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
}

TEST_F(JobThread, TheWorkerRunsOneNiceStepBelowTheThreadThatStartedIt) {
    constexpr int LowestPriorityNice = 19;
    std::atomic<int> workerNice{-100};
    atCheckPoint = [&workerNice](CheckPoint) {
        workerNice = NiceOfCallingThread();
        return false;
    };
    const int startingNice = NiceOfCallingThread();

    RunToEnd();

    EXPECT_EQ(workerNice.load(), std::min(startingNice + 1, LowestPriorityNice));
    EXPECT_EQ(NiceOfCallingThread(), startingNice) << "only the worker is lowered";
}

TEST(ThreadPriority, LoweringTwiceGoesDownTwoStepsOnThatThreadOnly) {
    const int before = NiceOfCallingThread();
    int after = 0;
    std::thread([&after] {
        EXPECT_TRUE(LowerCurrentThreadPriority());
        EXPECT_TRUE(LowerCurrentThreadPriority());
        after = NiceOfCallingThread();
    }).join();
    EXPECT_EQ(after, std::min(before + 2, 19));
    EXPECT_EQ(NiceOfCallingThread(), before);
}
#elif defined(_WIN32)
TEST_F(JobThread, TheWorkerRunsBelowNormalPriorityAndTheStartingThreadStaysNormal) {
    std::atomic<int> workerPriority{THREAD_PRIORITY_ERROR_RETURN};
    atCheckPoint = [&workerPriority](CheckPoint) {
        workerPriority = GetThreadPriority(GetCurrentThread());
        return false;
    };

    RunToEnd();

    EXPECT_EQ(workerPriority.load(), THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
}
#endif

}  // namespace
