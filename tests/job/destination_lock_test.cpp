// One run at a time per destination: the lock a run holds on its
// destination, and a run that finds it held.

#include "job/worker/destination_lock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "job/recovery_job.h"
#include "job/run_end.h"
#include "store/tra_error.h"
#include "support/batch_files.h"
#include "support/held_destination.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test_support::HeldDestination;
using test_support::NamesIn;
using test_support::TempDir;

namespace {

constexpr const char* LockName = "Wordgleaner.lock";

TEST(DestinationLock, OneHolderAtATimeAndTheFileGoesWithTheLock) {
    TempDir out;
    {
        DestinationLock first;
        ASSERT_EQ(first.Take(out.Path().string()), LockOutcome::Taken);
        EXPECT_TRUE(fs::exists(out.Path() / LockName));

        DestinationLock second;
        EXPECT_EQ(second.Take(out.Path().string()), LockOutcome::Busy);
        EXPECT_EQ(HeldDestination(out.Path()).Held(), false) << "another run's lock holds too";
    }
    EXPECT_FALSE(fs::exists(out.Path() / LockName)) << "removed by the run that held it";

    DestinationLock later;
    EXPECT_EQ(later.Take(out.Path().string()), LockOutcome::Taken);
}

TEST(DestinationLock, ALockHeldByAnotherRunIsBusyAndItsFileStays) {
    TempDir out;
    HeldDestination other(out.Path());
    ASSERT_TRUE(other.Held());
    {
        DestinationLock lock;
        EXPECT_EQ(lock.Take(out.Path().string()), LockOutcome::Busy);
    }
    EXPECT_TRUE(fs::exists(out.Path() / LockName)) << "a lock not taken never removes the file";
}

#if !defined(_WIN32)
// The system let go of the lock of a run killed outright; its file stays,
// and stops nothing.
TEST(DestinationLock, ALockFileLeftByAKilledRunIsTakenOver) {
    TempDir out;
    { HeldDestination killed(out.Path()); }
    ASSERT_TRUE(fs::exists(out.Path() / LockName));

    DestinationLock lock;
    EXPECT_EQ(lock.Take(out.Path().string()), LockOutcome::Taken);
}

TEST(DestinationLock, ALinkInTheLockFilesPlaceIsReplacedNeverFollowed) {
    TempDir root;
    fs::create_directory(root.Path() / "out");
    const std::string victim = root.Write("victim.txt", "unrelated\n");
    fs::create_symlink(victim, root.Path() / "out" / LockName);
    {
        DestinationLock lock;
        ASSERT_EQ(lock.Take(root / "out"), LockOutcome::Taken);
        EXPECT_FALSE(fs::is_symlink(root.Path() / "out" / LockName));
    }
    EXPECT_EQ(TempDir::Read(victim), "unrelated\n");
}
#endif

TEST(DestinationLock, ALockFileThatCannotBeOpenedFailsWithTheReason) {
    TempDir root;
    DestinationLock lock;
    EXPECT_EQ(lock.Take(root / "missing"), LockOutcome::Failed);
    EXPECT_TRUE(lock.Reason()) << "the system's reason";
}

// --- A run into a destination another run holds ------------------------------

class HeldDestinationTest : public ::testing::Test {
protected:
    HeldDestinationTest() {
        paths = {root.Write("orig.tra", "@1 = ~Hello~\n"),
                 root.Write("trans.tra", "@1 = ~Salut~\n"), root / "mod", root / "out"};
        root.Write("mod/a.tra", "@1 = ~Hello~\n");
        fs::create_directory(root.Path() / "out");
        options.generatePatch = true;
        options.writeReview = true;
    }

    ProgressSnapshot Run() { return test_support::RunBatch(job, paths, options); }

    TempDir root;
    test_support::BatchPaths paths;
    RecoveryOptions options;
    RecoveryJob job;
};

TEST_F(HeldDestinationTest, ARunFailsAtOnceWithItsOwnStatusAndTouchesNothing) {
    ASSERT_EQ(Run().status, TraOk);
    const Names before = NamesIn(root.Path() / "out");
    const std::string report = TempDir::Read(root / "out/Wordgleaner_report.txt");
    HeldDestination other(root.Path() / "out");
    ASSERT_TRUE(other.Held());
    root.Write("mod/a.tra", "@1 = ~Changed~\n");

    const ProgressSnapshot end = Run();

    EXPECT_TRUE(end.Ended());
    EXPECT_EQ(end.status, DestinationBusyStatus);
    EXPECT_EQ(end.progressText, "Another run is writing into " + paths.destinationDirectory);
    EXPECT_EQ(RunStatusMessage(end.status), std::string("Destination in use by another run"));
    Names expected = before;
    expected.push_back(LockName);  // the other run's
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(root.Path() / "out"), expected);
    EXPECT_EQ(TempDir::Read(root / "out/Wordgleaner_report.txt"), report);
    EXPECT_EQ(TempDir::Read(root / "out/a.tra").find("Changed"), std::string::npos);
}

TEST_F(HeldDestinationTest, EveryRunRemovesItsLockFileBeforeItIsSeenToEnd) {
    EXPECT_EQ(Run().status, TraOk);
    EXPECT_FALSE(fs::exists(root.Path() / "out" / LockName));

    paths.referenceOriginal = root / "missing.tra";
    EXPECT_EQ(Run().status, TraOpenFailed);
    EXPECT_FALSE(fs::exists(root.Path() / "out" / LockName));
}

}  // namespace
