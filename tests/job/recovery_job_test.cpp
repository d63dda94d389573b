#include "job/recovery_job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "support/temp_dir.h"

using namespace wordgleaner;

namespace {

TEST(RecoveryJob, StartsEmpty) {
    RecoveryJob job;
    EXPECT_EQ(job.progressText.Get(), "");
    EXPECT_EQ(job.entryText.Get(), "");
    EXPECT_EQ(job.filePercent.load(), 0);
    EXPECT_EQ(job.entryPercent.load(), 0);
    EXPECT_EQ(job.status.load(), 0);
    EXPECT_EQ(job.entriesProcessed + job.exactCount + job.veryLikelyCount + job.likelyCount +
                  job.emptyCount,
              0);
    EXPECT_FALSE(job.abortRequested.load());
    EXPECT_EQ(job.patchFile, nullptr);
    EXPECT_TRUE(job.referenceIndex.empty());
    EXPECT_EQ(job.options, RecoveryOptions{});
}

TEST(RecoveryJob, SetupCopiesTheInputsAndClearsAnEarlierAbort) {
    RecoveryJob job;
    job.RequestAbort();
    EXPECT_TRUE(job.abortRequested.load());

    RecoveryOptions settings;
    settings.search.minLikeliness = 70.0;
    settings.generatePatch = true;
    job.Setup("ref\\orig.tra", "ref\\trans.tra", "mod dir", "", settings);
    settings.search.minLikeliness = 10.0;  // a later change in the window

    EXPECT_FALSE(job.abortRequested.load());
    EXPECT_EQ(job.referenceOriginalPath, "ref\\orig.tra");
    EXPECT_EQ(job.referenceTranslatedPath, "ref\\trans.tra");
    EXPECT_EQ(job.modDirectory, "mod dir");
    EXPECT_EQ(job.destinationDirectory, "");
    EXPECT_EQ(job.options.search.minLikeliness, 70.0);
    EXPECT_TRUE(job.options.generatePatch);
}

TEST(RecoveryJob, DestroyingAJobKeepsWhatItsOpenPatchFileHolds) {
    test_support::TempDir dir;
    {
        RecoveryJob job;
        job.patchFile = std::make_unique<TextFileWriter>();
        ASSERT_EQ(job.patchFile->Open(dir / "tp2patch.tp2"), TraOk);
        job.patchFile->Write("// Recovered for a.tra, from b.tra\n");
    }
    EXPECT_EQ(test_support::TempDir::Read(dir / "tp2patch.tp2"),
              "// Recovered for a.tra, from b.tra\r\n");
}

// The window reads while the worker writes: every read is one whole text.
TEST(SharedText, ReaderAlwaysGetsAWholeText) {
    SharedText text;
    const std::string shortText = "Processing entry 1 / 2 (0 / 0 / 0)";
    const std::string longText(1000, 'x');
    text.Set(shortText);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            text.Set(i % 2 == 0 ? longText : shortText);
        }
        done.store(true);
    });
    int reads = 0;
    while (!done.load() || reads == 0) {
        std::string seen = text.Get();
        ASSERT_TRUE(seen == shortText || seen == longText) << seen.size();
        ++reads;
    }
    writer.join();
}

}  // namespace
