#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "job/check_point.h"
#include "job/recovery_options.h"
#include "matching/reference_index.h"
#include "store/text_file.h"

namespace wordgleaner {

// A text written by the worker and read by the window on every poll: it is
// replaced and copied under a lock, so a reader always gets a whole text.
class SharedText {
public:
    void Set(std::string text) {
        std::lock_guard lock(mutex);
        value = std::move(text);
    }
    std::string Get() const {
        std::lock_guard lock(mutex);
        return value;
    }

private:
    mutable std::mutex mutex;
    std::string value;
};

// Everything the window and the worker of a recovery run share. The window
// owns it for its whole life and reuses it for every run; it writes the inputs
// through Setup before the worker exists and afterwards only the abort request.
class RecoveryJob {
public:
    RecoveryJob() = default;
    ~RecoveryJob();
    RecoveryJob(const RecoveryJob&) = delete;
    RecoveryJob& operator=(const RecoveryJob&) = delete;

    void Setup(std::string referenceOriginal, std::string referenceTranslated,
               std::string modFolder, std::string destinationFolder,
               const RecoveryOptions& settings);

    // Sets abortRequested and returns at once; the worker reacts at its next check point.
    void RequestAbort();

    // The whole batch; the last write is filePercent = 100.
    void Run();

    // Progress, read by the window while the worker writes it.
    SharedText progressText;
    std::atomic<std::int32_t> filePercent{0};
    SharedText entryText;
    std::atomic<std::int32_t> entryPercent{0};
    std::atomic<std::int32_t> status{0};

    // Counters over the whole batch, worker only.
    std::int32_t entriesProcessed = 0;
    std::int32_t exactCount = 0;
    std::int32_t veryLikelyCount = 0;
    std::int32_t likelyCount = 0;
    std::int32_t emptyCount = 0;

    std::atomic<bool> abortRequested{false};

    // Reads the abort request at a check point, telling the observer first.
    bool AbortRequestedAt(CheckPoint point) {
        if (checkPointObserver) {
            checkPointObserver(point);
        }
        return abortRequested.load();
    }
    // Empty in the programs. Tests set it to request an abort at an exact
    // check point, so every abort point is reached without timing. Called on
    // the worker thread.
    std::function<void(CheckPoint)> checkPointObserver;

    // Inputs, written by Setup before the worker starts.
    std::string referenceOriginalPath;
    std::string referenceTranslatedPath;
    std::string modDirectory;
    std::string destinationDirectory;
    RecoveryOptions options;

    // Worker-owned state of a run.
    std::unique_ptr<TextFileWriter> patchFile;  // open while the batch writes the patch
    ReferenceIndex referenceIndex;
};

}  // namespace wordgleaner
