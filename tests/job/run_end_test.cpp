// How an ended run is told: a stop is never a success, and its text says
// what is on disk.

#include "job/run_end.h"

#include <gtest/gtest.h>

#include "store/tra_error.h"
#include "support/ended_snapshot.h"

using namespace wordgleaner;

namespace {

constexpr auto Ended = test_support::EndedSnapshot;

TEST(RunEnd, AStopIsToldAsSuchAndAFailureWinsOverIt) {
    EXPECT_EQ(EndOfRun(Ended(TraOk, false)), RunEnd::Succeeded);
    EXPECT_EQ(EndOfRun(Ended(TraOk, true)), RunEnd::Stopped);
    EXPECT_EQ(EndOfRun(Ended(TraWriteFailed, true)), RunEnd::Failed);
    EXPECT_EQ(EndOfRun(Ended(TraOpenFailed, false)), RunEnd::Failed);
}

TEST(RunEnd, TheStoppedTextCountsTheFilesDoneAndNamesThePartialOne) {
    ProgressSnapshot end = Ended(TraOk, true);
    EXPECT_EQ(StoppedText(end), "Stopped while loading the references");

    end.fileCount = 5;
    end.filesDone = 2;
    end.partialFile = "dialog.tra";
    EXPECT_EQ(StoppedText(end),
              "Stopped after 2 of 5 files; dialog.tra was saved with the "
              "entries done before the stop.");

    end.fileCount = 1;
    end.filesDone = 0;
    end.partialFile.clear();
    EXPECT_EQ(StoppedText(end), "Stopped after 0 of 1 file.");
}

TEST(RunEnd, ItsPartsTellTheFilesDoneAndThePartialFileApart) {
    ProgressSnapshot end = Ended(TraOk, true);
    end.partialFile = "dialog.tra";  // not reached: the references were loading
    EXPECT_EQ(StoppedFilesText(end), "Stopped while loading the references");
    EXPECT_EQ(PartialFileText(end), "");
    end.fileCount = 5;
    end.filesDone = 1;
    EXPECT_EQ(StoppedFilesText(end), "Stopped after 1 of 5 files");
    EXPECT_EQ(PartialFileText(end), "dialog.tra was saved with the entries done before the stop");
}

}  // namespace
