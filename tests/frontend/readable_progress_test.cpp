#include "frontend/readable_progress.h"

#include <gtest/gtest.h>

namespace wordgleaner {
namespace {

using std::chrono::seconds;

// The fifth of 31 files, 915 of its 3000 entries reached.
ProgressSnapshot InTheFifthFile() {
    ProgressSnapshot progress;
    progress.filePercent = 12;
    progress.progressText = "Processing gtu.tra (4 / 31)";
    progress.entryText = "Processing entry 914 / 3000 (600 / 12 / 3)";
    progress.fileIndex = 5;
    progress.fileCount = 31;
    progress.currentFileName = "gtu.tra";
    progress.entryIndex = 915;
    progress.entryTotal = 3000;
    progress.translatedCount = 612;
    return progress;
}

TEST(ReadableProgress, NamesTheFileAndEntryWorkedOnWithTheirCounts) {
    const ProgressSnapshot progress = InTheFifthFile();
    EXPECT_EQ(ReadableFilesText(progress), "File 5 of 31: gtu.tra");
    EXPECT_EQ(ReadableEntriesText(progress), "Entry 915 of 3000 - 612 translated");
}

TEST(ReadableProgress, KeepsTheRunsOwnTextsBeforeTheFirstFileAndAfterTheEnd) {
    ProgressSnapshot loading;
    loading.progressText = "Loading reference tra file in original language...";
    EXPECT_EQ(ReadableFilesText(loading), loading.progressText);
    EXPECT_EQ(ReadableEntriesText(loading), "");

    ProgressSnapshot ended = InTheFifthFile();
    ended.filePercent = ProgressSnapshot::EndedFilePercent;
    ended.progressText = "Completed (31 / 31) with threshold for very likely match 95.00 %";
    ended.entryText = "Entries: 9000, Exact match: 600";
    EXPECT_EQ(ReadableFilesText(ended), ended.progressText);
    EXPECT_EQ(ReadableEntriesText(ended), ended.entryText);
}

// After a stop or a failure the bars tell what is on disk, as the box does;
// after a success they keep the run's own summary.
TEST(ReadableProgress, AnEndedRunsBarsTellTheFilesDoneAndThePartialFile) {
    ProgressSnapshot end = InTheFifthFile();
    end.filePercent = ProgressSnapshot::EndedFilePercent;
    end.entryPercent = 30;
    end.progressText = "Completed (5 / 31) with threshold for very likely match 95.00 %";
    end.filesDone = 4;
    end.partialFile = "gtu.tra";
    end.abortRequested = true;
    EXPECT_EQ(ReadableFilesBar(end), (ReadableBar{12, "Stopped after 4 of 31 files"}));
    EXPECT_EQ(ReadableEntriesBar(end),
              (ReadableBar{30, "gtu.tra was saved with the entries done before the stop"}));
    end.partialFile.clear();
    EXPECT_EQ(ReadableEntriesBar(end), (ReadableBar{0, ""}));

    end.abortRequested = false;
    end.status = 3;  // any failure
    end.progressText = "Failed to save gtu.tra, cause: disk full";
    EXPECT_EQ(ReadableFilesBar(end), (ReadableBar{12, "Failed: 4 of 31 files done"}));
    EXPECT_EQ(ReadableEntriesBar(end), (ReadableBar{0, end.progressText}));
    end.fileCount = 0;
    EXPECT_EQ(ReadableFilesBar(end), (ReadableBar{0, "Failed before any mod file"}));

    end.status = 0;
    end.progressText = "Completed (31 / 31)";
    end.entryText = "Entries: 9000, Exact match: 600";
    EXPECT_EQ(ReadableFilesBar(end), (ReadableBar{100, end.progressText}));
    EXPECT_EQ(ReadableEntriesBar(end), (ReadableBar{30, end.entryText}));
    EXPECT_EQ(ReadableFilesBar(InTheFifthFile()), (ReadableBar{12, "File 5 of 31: gtu.tra"}));
}

TEST(ReadableProgress, DoneFractionCountsFinishedFilesAndThePartOfTheCurrentOne) {
    ProgressSnapshot progress = InTheFifthFile();
    progress.fileIndex = 3;
    progress.fileCount = 4;
    progress.entryIndex = 50;
    progress.entryTotal = 100;
    EXPECT_DOUBLE_EQ(DoneFraction(progress), 2.5 / 4);
    progress.entryTotal = 0;  // an empty file
    EXPECT_DOUBLE_EQ(DoneFraction(progress), 2.0 / 4);
    EXPECT_DOUBLE_EQ(DoneFraction(ProgressSnapshot{}), 0.0);
}

TEST(ReadableProgress, ClockTextShowsHoursOnlyWhenThereAreAny) {
    EXPECT_EQ(ClockText(seconds{7}), "0:07");
    EXPECT_EQ(ClockText(seconds{750}), "12:30");
    EXPECT_EQ(ClockText(seconds{3723}), "1:02:03");
    EXPECT_EQ(ClockText(seconds{-3}), "0:00");
}

TEST(ReadableProgress, TheTimeLeftIsEstimatedOnlyAfterTheFirstSeconds) {
    ProgressSnapshot half = InTheFifthFile();
    half.fileIndex = 2;  // the first of two files done
    half.fileCount = 2;
    half.entryIndex = 0;
    half.entryTotal = 10;
    EXPECT_EQ(ReadableTimeText(seconds{4}, half), "Elapsed 0:04");
    EXPECT_EQ(ReadableTimeText(seconds{65}, half), "Elapsed 1:05 - about 1:05 left");

    // Nothing done yet gives nothing to estimate from; an ended run needs none.
    EXPECT_EQ(ReadableTimeText(seconds{30}, ProgressSnapshot{}), "Elapsed 0:30");
    half.filePercent = ProgressSnapshot::EndedFilePercent;
    EXPECT_EQ(ReadableTimeText(seconds{30}, half), "Elapsed 0:30");
}

}  // namespace
}  // namespace wordgleaner
