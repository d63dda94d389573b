#include "job/batch_run.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "job/batch_review.h"
#include "job/job_worker.h"
#include "job/mod_directory.h"
#include "job/recover_file.h"
#include "job/run_end.h"
#include "matching/output/number_format.h"
#include "matching/reference_index.h"
#include "store/tra_file.h"

namespace wordgleaner {

namespace {

constexpr const char* BuildingListText = "Building list of tra files to process...";
constexpr const char* NoFileText = "No file to process. Check specified mod directory.";
constexpr const char* LoadingOriginalText = "Loading reference tra file in original language...";
constexpr const char* LoadingTranslatedText =
    "Loading reference tra file in destination language...";
constexpr const char* InterruptedLine = "Process interrupted.\n";
constexpr const char* PatchFileName = "tp2patch.tp2";
constexpr const char* ReportFileName = "Wordgleaner_report.txt";
constexpr std::int32_t PercentScale = 100;

// Two decimals as "%0.2f", but independent of the process locale (the
// desktop program runs under the user's, which may use a decimal comma) and
// with halfway values rounded away from zero like every other figure we print.
std::string TwoDecimals(double value) {
    return FormatFixed(value, 2);
}

std::string FailedToLoadText(const std::string& what, const TraFailure& failure) {
    return "Failed to load " + what + ", cause: " + TraFailureText(failure);
}

std::string FailedToWriteText(const std::string& name, const TraFailure& failure) {
    return "Failed to write " + name + ", cause: " + TraFailureText(failure);
}

std::string FailedToSaveText(const std::string& name, const TraFailure& failure) {
    return "Failed to save " + name + ", cause: " + TraFailureText(failure);
}

std::string SkippedLine(const std::string& name, const std::string& failureText) {
    return "Skipped " + name + ": " + failureText;
}

std::string SkippedCountText(std::size_t count) {
    return "; " + std::to_string(count) + (count == 1 ? " file" : " files") +
           " skipped after a failure";
}

// The patch or report of an earlier run must not pass for this run's when
// this run could not write its own. A protected file was refused, not
// replaced, and stays; so does a folder in its place.
void RemoveStaleOutput(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    const fs::file_status status = fs::symlink_status(path, ignored);
    constexpr auto anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::is_regular_file(status) && (status.permissions() & anyWrite) != fs::perms::none) {
        fs::remove(path, ignored);
    }
}

std::string ProcessingText(const SplitFileName& name, int index, int count) {
    return "Processing " + name.baseName + name.extension + " (" + std::to_string(index) + " / " +
           std::to_string(count) + ")";
}

std::string CompletedText(int started, int count, const RecoveryOptions& options) {
    return "Completed (" + std::to_string(started) + " / " + std::to_string(count) +
           ") with threshold for very likely match " + TwoDecimals(options.veryLikelyThreshold) +
           " %, threshold for likely " + TwoDecimals(options.search.minLikeliness) + " %";
}

std::string SummaryText(const BatchCounters& counters) {
    return "Entries: " + std::to_string(counters.entriesProcessed) +
           ", Exact match: " + std::to_string(counters.exactCount) +
           ", Very likely match: " + std::to_string(counters.veryLikelyCount) +
           ", Likely match: " + std::to_string(counters.likelyCount);
}

std::int32_t FilesPercent(int done, int count) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(done) * PercentScale / count);
}

// The objects of one run, all on the worker thread.
class BatchRun {
public:
    explicit BatchRun(JobWorker& worker)
        : worker(worker), inputs(worker.Inputs()), progress(worker.Progress()) {}

    void Execute() {
        // Starting the job has cleared the percentages and texts.
        progress.SetProgressText(BuildingListText);
        ModFileList list = ListModFiles(inputs.modDirectory);
        if (list.names.empty()) {
            progress.SetProgressText(NoFileText);
            // An empty list always fails, so that no front end reports
            // success for a run that did nothing.
            progress.SetStatus(TraOpenFailed);
            return;
        }
        files = std::move(list.names);
        progress.SetStatus(WriteReport(WithReview(RunWithFiles())));
    }

private:
    TraError RunWithFiles() {
        TraError status = TraOk;
        if (!LoadReference(referenceOriginal, inputs.references.front().original,
                           LoadingOriginalText, CheckPoint::AfterOriginalReference, status)) {
            return status;
        }
        BuildReferenceIndex(referenceOriginal, worker.Index());
        search = MakeReferenceSearch(referenceOriginal, worker.Index(), inputs.options);
        if (!LoadReference(referenceTranslated, inputs.references.front().translated,
                           LoadingTranslatedText, CheckPoint::AfterTranslatedReference, status)) {
            return status;
        }
        if (inputs.options.generatePatch) {
            status = OpenPatch();
            if (status != TraOk) {
                return status;
            }
        }
        status = ProcessFiles();
        return ClosePatch(status);
    }

    // False when the run stops here: the load failed, or an abort was seen
    // right after it.
    bool LoadReference(TraFile& reference, const std::string& path, const char* loadingText,
                       CheckPoint afterLoad, TraError& status) {
        progress.SetProgressText(loadingText);
        status = reference.Load(path);
        if (status != TraOk) {
            progress.SetProgressText(FailedToLoadText(path, reference.GetLastFailure()));
            return false;
        }
        if (worker.AbortRequestedAt(afterLoad)) {
            progress.SetProgressText(StoppedText(progress.Snapshot()));
            return false;
        }
        return true;
    }

    // --- Patch and report: a run whose outputs cannot be written fails ------

    // A patch that cannot be created stops the run before any file, rather
    // than leaving the user a run that looks complete without its patch.
    TraError OpenPatch() {
        const TraError status = worker.OpenPatchFile(PatchPath());
        if (status != TraOk) {
            RemoveStaleOutput(PatchPath());
            progress.SetProgressText(FailedToWriteText(PatchFileName, worker.PatchFailure()));
        }
        return status;
    }

    // An earlier failure stays the run's status; the patch's own failure
    // still removes the stale patch.
    TraError ClosePatch(TraError status) {
        const TraError closed = worker.ClosePatchFile();
        if (closed == TraOk) {
            return status;
        }
        RemoveStaleOutput(PatchPath());
        if (status != TraOk) {
            return status;
        }
        progress.SetProgressText(FailedToWriteText(PatchFileName, worker.PatchFailure()));
        return closed;
    }

    std::string PatchPath() const { return JoinPath(inputs.destinationDirectory, PatchFileName); }

    // Returns the run's status: `status`, or the report's failure when the
    // run had none of its own.
    TraError WriteReport(TraError status) {
        const std::string path = JoinPath(inputs.destinationDirectory, ReportFileName);
        TextFileWriter report;
        TraError written = report.Open(path);
        if (written == TraOk) {
            const ProgressSnapshot now = progress.Snapshot();
            if (now.abortRequested) {
                report.Write(InterruptedLine);
            }
            report.Write(now.progressText + "\n");
            report.Write(now.entryText + "\n");
            for (const std::string& skipped : now.skippedFiles) {
                report.Write(skipped + "\n");
            }
            written = report.Commit();
        }
        if (written == TraOk) {
            return status;
        }
        RemoveStaleOutput(path);
        if (status != TraOk) {
            return status;
        }
        progress.SetProgressText(FailedToWriteText(ReportFileName, report.LastFailure()));
        return written;
    }

    // --- The mod files --------------------------------------------------------

    TraError ProcessFiles() {
        const int count = static_cast<int>(files.size());
        progress.SetFileCount(count);
        int started = 0;
        TraError status = TraOk;
        TraError firstSkipped = TraOk;
        std::size_t skipped = 0;
        while (started < count && status == TraOk &&
               !worker.AbortRequestedAt(CheckPoint::BeforeFile)) {
            status = ProcessFile(files[started], started, count);
            if (status != TraOk && inputs.options.keepGoing) {
                SkipFile(files[started]);
                firstSkipped = firstSkipped != TraOk ? firstSkipped : status;
                ++skipped;
                status = TraOk;
            }
            ++started;
        }
        if (status != TraOk) {
            return status;
        }
        std::string completed = CompletedText(started, count, inputs.options);
        if (skipped > 0) {
            completed += SkippedCountText(skipped);
        }
        progress.SetProgressText(std::move(completed));
        progress.SetEntryText(SummaryText(worker.Counters()));
        return firstSkipped;
    }

    // The failure text of the file is still the progress text.
    void SkipFile(const std::string& name) {
        progress.AddSkippedFile(SkippedLine(name, progress.Snapshot().progressText));
    }

    // A file that fails to load or to save stops the batch, unless the run
    // keeps going.
    TraError ProcessFile(const std::string& name, int index, int count) {
        SplitFileName split = SplitAtLastDot(name);
        progress.SetProgressText(ProcessingText(split, index, count));
        progress.SetFilePercent(FilesPercent(index, count));
        progress.SetFilePosition(index + 1, count, name);
        TraError status = modFile.Load(JoinPath(inputs.modDirectory, name));
        if (status != TraOk) {
            progress.SetProgressText(FailedToLoadText(split.baseName, modFile.GetLastFailure()));
            return status;
        }
        RecoverFile(worker, modFile, *search, referenceOriginal, referenceTranslated);
        // A stop seen inside the file left its later entries as they were,
        // as its patch trailer tells too.
        const bool partial = worker.AbortRequested();
        status = modFile.Save(JoinPath(inputs.destinationDirectory, name));
        if (status != TraOk) {
            progress.SetProgressText(FailedToSaveText(name, modFile.GetLastFailure()));
            return status;
        }
        progress.FileSaved(name, partial);
        return TraOk;
    }

    // The review goes beside the report of a run that did not fail, aborted
    // ones included; written before the report, so that the report tells a
    // review that could not be written.
    TraError WithReview(TraError status) {
        return status == TraOk ? WriteBatchReview(worker) : status;
    }

    JobWorker& worker;
    const JobInputs& inputs;
    SharedProgress& progress;
    std::vector<std::string> files;
    TraFile referenceOriginal;
    TraFile referenceTranslated;
    TraFile modFile;  // loaded anew for every mod file
    // Built once per run, over referenceOriginal and the worker's index.
    std::unique_ptr<ReferenceSearch> search;
};

}  // namespace

void RunBatch(JobWorker& worker) {
    BatchRun(worker).Execute();
}

}  // namespace wordgleaner
