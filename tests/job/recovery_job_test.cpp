// The job's parts one by one: the shared progress, the worker's abort check
// and patch file, and the inputs a run keeps. The job's thread is
// job_thread_test's.

#include "job/recovery_job.h"

#include <gtest/gtest.h>

#include <string>

#include "job/worker/abort_check.h"
#include "job/worker/patch_file.h"
#include "job/worker/shared_progress.h"
#include "store/tra_error.h"
#include "support/abort_at.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace {

TEST(SharedProgress, OnlyTheLastWriteEndsTheRunAndPublishesTheCounters) {
    SharedProgress progress;
    EXPECT_FALSE(progress.Ended()) << "a job that never ran has not ended";
    progress.SetFilePercent(99);
    progress.SetStatus(TraOpenFailed);
    EXPECT_FALSE(progress.Ended());
    EXPECT_EQ(progress.Snapshot().counters, BatchCounters{});

    progress.Finish({5, 2, 1, 1, 1});

    const ProgressSnapshot end = progress.Snapshot();
    EXPECT_TRUE(end.Ended());
    EXPECT_EQ(end.filePercent, 100) << "the files bar is full at the end";
    EXPECT_EQ(end.status, TraOpenFailed);
    EXPECT_EQ(end.counters, (BatchCounters{5, 2, 1, 1, 1}));
}

TEST(AbortCheck, AnAbortAskedForByTheHookHoldsForTheRestOfTheRunAndReachesTheOwner) {
    SharedProgress progress;
    AbortCheck abortCheck(progress, test_support::AbortAt(CheckPoint::BeforeFile, 2));

    EXPECT_FALSE(abortCheck.RequestedAt(CheckPoint::BeforeFile));
    EXPECT_FALSE(abortCheck.RequestedAt(CheckPoint::BeforeEntry));
    EXPECT_FALSE(abortCheck.Requested());
    EXPECT_TRUE(abortCheck.RequestedAt(CheckPoint::BeforeFile));
    EXPECT_TRUE(abortCheck.RequestedAt(CheckPoint::BeforeEntry));
    EXPECT_TRUE(abortCheck.Requested());
    EXPECT_TRUE(progress.Snapshot().abortRequested);
}

TEST(PatchFile, DestroyingAnOpenPatchFileKeepsWhatItHolds) {
    test_support::TempDir dir;
    {
        PatchFile patch;
        ASSERT_EQ(patch.Open(dir / "tp2patch.tp2"), TraOk);
        patch.Write("// Recovered for a.tra, from b.tra\n");
    }
    EXPECT_EQ(test_support::TempDir::Read(dir / "tp2patch.tp2"),
              "// Recovered for a.tra, from b.tra\r\n");
}

TEST(RecoveryJob, ARunKeepsItsOwnCopyOfThePathsAndSettings) {
    test_support::TempDir dir;
    RecoveryJob job;
    RecoveryOptions settings;
    settings.search.minLikeliness = 70.0;
    settings.generatePatch = true;
    std::string modFolder = dir / "mod dir";

    ASSERT_TRUE(job.Start("ref\\orig.tra", "ref\\trans.tra", modFolder, "", settings));
    settings.search.minLikeliness = 10.0;  // later changes in the window
    modFolder.clear();
    job.WaitForEnd();

    const JobInputs& inputs = job.Inputs();
    EXPECT_EQ(inputs.references.at(0).original, "ref\\orig.tra");
    EXPECT_EQ(inputs.references.at(0).translated, "ref\\trans.tra");
    EXPECT_EQ(inputs.modDirectory, dir / "mod dir");
    EXPECT_EQ(inputs.destinationDirectory, "");
    EXPECT_EQ(inputs.options.search.minLikeliness, 70.0);
    EXPECT_TRUE(inputs.options.generatePatch);
}

}  // namespace
