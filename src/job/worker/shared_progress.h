#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "job/batch_counters.h"
#include "job/progress_snapshot.h"

namespace wordgleaner {

// The part of a job that two threads touch while a run goes on: the worker
// writes the progress, the owner polls it and may ask for the abort. One lock
// guards all of it, so a snapshot is one moment of the run and never holds a
// half-replaced text.
class SharedProgress {
public:
    ProgressSnapshot Snapshot() const;
    bool Ended() const;
    bool AbortRequested() const;
    // Returns at once; the worker sees it at its next check point.
    void RequestAbort();
    // Back to the state of a job that has not run, for the next run; only
    // while no worker runs.
    void Reset();

    // The worker's writes.
    void SetProgressText(std::string text);
    void SetFilePercent(std::int32_t percent);
    void SetEntryText(std::string text);
    void SetEntryProgress(std::string text, std::int32_t percent);
    void SetEntryProgress(std::string text, std::int32_t percent, std::int32_t entryIndex,
                          std::int32_t entryTotal, std::int32_t translatedCount);
    void SetFilePosition(std::int32_t fileIndex, std::int32_t fileCount, std::string fileName);
    void SetStatus(std::int32_t status);
    void SetFileCount(std::int32_t count);
    // A recovered file was saved; `partial` when a stop cut its entries short.
    void FileSaved(const std::string& name, bool partial);
    void AddSkippedFile(std::string line);
    void SetUnsearchedSubFolders(std::vector<UnsearchedSubFolder> folders);
    // The worker's last write: publishes the counters and ends the run.
    void Finish(const BatchCounters& counters);

private:
    mutable std::mutex mutex;
    ProgressSnapshot state;
};

}  // namespace wordgleaner
