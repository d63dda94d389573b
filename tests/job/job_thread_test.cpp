// The worker thread and the polling protocol between it and the window.
// Cross-thread steps are ordered by handshakes at the job's check points,
// never by sleeping; the waits only spin on atomics.

#include "job/job_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "job/check_point.h"
#include "job/recovery_job.h"
#include "job/thread_priority.h"
#include "support/abort_at.h"
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
using test_support::TempDir;

namespace {

// Only a hung worker ever gets near this; it turns a hang into a failure.
constexpr auto HangLimit = std::chrono::seconds(120);
constexpr std::int32_t EndedPercent = 100;

template <typename Condition>
bool SpinUntil(Condition condition) {
    const auto limit = std::chrono::steady_clock::now() + HangLimit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}

// Holds the worker at one check point until the test has done its part.
class Handshake {
public:
    void Arm(RecoveryJob& job, CheckPoint point, int occurrence = 1) {
        job.checkPointObserver = [this, point, occurrence, passes = 0](CheckPoint reached) mutable {
            if (reached == point && ++passes == occurrence) {
                arrived = true;
                SpinUntil([this] { return released.load(); });
            }
        };
    }
    bool WaitForWorker() {
        return SpinUntil([this] { return arrived.load(); });
    }
    void Release() { released = true; }

private:
    std::atomic<bool> arrived{false};
    std::atomic<bool> released{false};
};

class JobThread : public ::testing::Test {
protected:
    JobThread() {
        original = root.Write("orig.tra", "@1 = ~Hello~\n@2 = ~Good bye~\n");
        translated = root.Write("trans.tra", "@1 = ~Bonjour~\n@2 = ~Au revoir~\n");
        root.Write("mod/a.tra", "@1 = ~Hello~\n@2 = ~Good bye~\n");
        root.Write("mod/b.tra", "@1 = ~Good bye~\n");
        fs::create_directory(root.Path() / "out");
    }

    void Start(const std::string& modFolder = {}) {
        job.Setup(original, translated, modFolder.empty() ? root / "mod" : modFolder, root / "out",
                  RecoveryOptions{});
        job.filePercent = 0;
        ASSERT_TRUE(StartJobThread(job));
    }

    bool WaitForEnd() {
        return SpinUntil([this] { return job.filePercent.load() == EndedPercent; });
    }

    std::string Report() const { return TempDir::Read(root / "out/Wordgleaner_report.txt"); }

    TempDir root;
    std::string original;
    std::string translated;
    RecoveryJob job;
};

TEST(JobThreadProc, WithoutAJobEndsAtOnceWithExitCodeOne) {
    EXPECT_EQ(JobThreadProc(nullptr), 1);
}

TEST_F(JobThread, ProcReturnsZeroWhetherTheBatchSucceedsOrFails) {
    job.Setup(original, translated, root / "missing", root / "out", RecoveryOptions{});
    EXPECT_EQ(JobThreadProc(&job), 0);
    EXPECT_EQ(job.status, TraOpenFailed);

    job.Setup(original, translated, root / "mod", root / "out", RecoveryOptions{});
    EXPECT_EQ(JobThreadProc(&job), 0);
    EXPECT_EQ(job.status, TraOk);
}

TEST_F(JobThread, RunsTheBatchOnItsOwnThreadWhileTheWindowPollsWholeTexts) {
    std::thread::id worker;
    job.checkPointObserver = [&worker](CheckPoint) { worker = std::this_thread::get_id(); };

    Start();
    // Poll the way the window does, only faster: every read must be safe
    // while the worker writes (ThreadSanitizer checks this in scripts/test).
    int polls = 0;
    ASSERT_TRUE(SpinUntil([&] {
        ++polls;
        const std::string progress = job.progressText.Get();
        const std::string entries = job.entryText.Get();
        const int entryPercent = job.entryPercent.load();
        EXPECT_LE(entryPercent, 100);
        return job.filePercent.load() == EndedPercent;
    }));

    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_EQ(job.status, TraOk);
    EXPECT_EQ(job.progressText.Get().rfind("Completed (2 / 2)", 0), 0u);
    EXPECT_EQ(Report().rfind("Completed (2 / 2)", 0), 0u) << "the report is written before the end";
    EXPECT_GT(polls, 0);
}

TEST_F(JobThread, AnAbortRequestedDuringAReferenceLoadTakesEffectRightAfterIt) {
    Handshake handshake;
    handshake.Arm(job, CheckPoint::AfterOriginalReference);
    Start();
    ASSERT_TRUE(handshake.WaitForWorker());

    job.RequestAbort();  // from this (the window's) thread
    handshake.Release();

    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(job.status, TraOk) << "an aborted run is no failed run";
    EXPECT_EQ(job.progressText.Get(), "Failed to load " + original + ", cause: No error");
    EXPECT_EQ(Report().rfind("Process interrupted.\r\n", 0), 0u);
    EXPECT_FALSE(fs::exists(root / "out/a.tra"));
}

TEST_F(JobThread, AnAbortDuringAFileStopsBeforeItsNextEntryAndTheFileIsStillWritten) {
    Handshake handshake;
    handshake.Arm(job, CheckPoint::BeforeEntry, 2);
    Start();
    ASSERT_TRUE(handshake.WaitForWorker());

    job.RequestAbort();
    job.RequestAbort();  // pressing Cancel again changes nothing more
    handshake.Release();

    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(job.status, TraOk);
    EXPECT_EQ(job.progressText.Get().rfind("Completed (1 / 2)", 0), 0u) << job.progressText.Get();
    EXPECT_EQ(job.entriesProcessed, 1);
    const std::string recovered = TempDir::Read(root / "out/a.tra");
    EXPECT_NE(recovered.find("~Bonjour~"), std::string::npos);
    EXPECT_NE(recovered.find("~Good bye~"), std::string::npos) << "the second entry is untouched";
    EXPECT_FALSE(fs::exists(root / "out/b.tra"));
}

TEST_F(JobThread, ARunAfterAnAbortedOneStartsAfreshWhileStatusKeepsTheLastValueUntilTheEnd) {
    std::int32_t statusWhileRunning = -1;
    int filesStarted = 0;
    // Records the status a run sees while it goes on; aborts before the
    // second file when asked to.
    auto observe = [this, &statusWhileRunning, &filesStarted](bool abortBeforeSecondFile) {
        filesStarted = 0;
        job.checkPointObserver = [=, this, &statusWhileRunning, &filesStarted](CheckPoint point) {
            if (point == CheckPoint::AfterOriginalReference) {
                statusWhileRunning = job.status;
            }
            if (point == CheckPoint::BeforeFile && ++filesStarted == 2 && abortBeforeSecondFile) {
                job.RequestAbort();
            }
        };
    };
    Start((root.Path() / "missing").string());
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(job.status, TraOpenFailed);

    observe(true);
    Start();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(statusWhileRunning, TraOpenFailed) << "the failed run's status until this one ends";
    EXPECT_EQ(job.status, TraOk);
    ASSERT_EQ(job.progressText.Get().rfind("Completed (1 / 2)", 0), 0u);

    observe(false);
    Start();  // Setup clears the abort request of the run before
    ASSERT_TRUE(WaitForEnd());

    EXPECT_EQ(job.progressText.Get().rfind("Completed (2 / 2)", 0), 0u) << job.progressText.Get();
    EXPECT_EQ(job.entryText.Get(),
              "Entries: 3, Exact match: 3, Very likely match: 0, Likely match: 0")
        << "the counters start from 0 again";
    EXPECT_EQ(Report().find("Process interrupted."), std::string::npos);
}

#if defined(__linux__)
int NiceOfCallingThread() {
    return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
}

TEST_F(JobThread, TheWorkerRunsOneNiceStepBelowTheThreadThatStartedIt) {
    constexpr int LowestPriorityNice = 19;
    std::atomic<int> workerNice{-100};
    job.checkPointObserver = [&workerNice](CheckPoint) { workerNice = NiceOfCallingThread(); };
    const int startingNice = NiceOfCallingThread();

    Start();
    ASSERT_TRUE(WaitForEnd());

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
    job.checkPointObserver = [&workerPriority](CheckPoint) {
        workerPriority = GetThreadPriority(GetCurrentThread());
    };

    Start();
    ASSERT_TRUE(WaitForEnd());

    EXPECT_EQ(workerPriority.load(), THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
}
#endif

}  // namespace
