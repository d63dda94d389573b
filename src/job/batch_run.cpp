#include "job/batch_run.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "job/batch_review.h"
#include "job/job_worker.h"
#include "job/mod_directory.h"
#include "job/recover_file.h"
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
        progress.SetStatus(WithReview(RunWithFiles()));
        WriteReport();
    }

private:
    TraError RunWithFiles() {
        TraError status = TraOk;
        if (!LoadReference(referenceOriginal, inputs.referenceOriginalPath, LoadingOriginalText,
                           CheckPoint::AfterOriginalReference, status)) {
            return status;
        }
        BuildReferenceIndex(referenceOriginal, worker.Index());
        search = MakeReferenceSearch(referenceOriginal, worker.Index(), inputs.options);
        if (!LoadReference(referenceTranslated, inputs.referenceTranslatedPath,
                           LoadingTranslatedText, CheckPoint::AfterTranslatedReference, status)) {
            return status;
        }
        if (inputs.options.generatePatch) {
            worker.OpenPatchFile(JoinPath(inputs.destinationDirectory, PatchFileName));
        }
        status = ProcessFiles();
        worker.ClosePatchFile();
        return status;
    }

    // False when the run stops here: the load failed, or an abort was seen
    // right after it. An abort ends the run like a failed load, with the
    // message of the load's own status, which is then "No error".
    bool LoadReference(TraFile& reference, const std::string& path, const char* loadingText,
                       CheckPoint afterLoad, TraError& status) {
        progress.SetProgressText(loadingText);
        status = reference.Load(path);
        if (status != TraOk || worker.AbortRequestedAt(afterLoad)) {
            progress.SetProgressText(FailedToLoadText(path, reference.GetLastFailure()));
            return false;
        }
        return true;
    }

    TraError ProcessFiles() {
        const int count = static_cast<int>(files.size());
        int started = 0;
        TraError status = TraOk;
        while (started < count && status == TraOk &&
               !worker.AbortRequestedAt(CheckPoint::BeforeFile)) {
            status = ProcessFile(files[started], started, count);
            ++started;
        }
        if (status == TraOk) {
            progress.SetProgressText(CompletedText(started, count, inputs.options));
            progress.SetEntryText(SummaryText(worker.Counters()));
        }
        return status;
    }

    // A file that fails to load or to save stops the batch; a failed save
    // keeps the "Processing" line, which names the file.
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
        return modFile.Save(JoinPath(inputs.destinationDirectory, name));
    }

    // The review goes beside the report of a run that did not fail, aborted
    // ones included; written before the report, so that the report tells a
    // review that could not be written.
    TraError WithReview(TraError status) {
        return status == TraOk ? WriteBatchReview(worker) : status;
    }

    // A report that cannot be written is left out; the run's outcome is
    // still in the job.
    void WriteReport() {
        TextFileWriter report;
        if (report.Open(JoinPath(inputs.destinationDirectory, ReportFileName)) != TraOk) {
            return;
        }
        const ProgressSnapshot now = progress.Snapshot();
        if (now.abortRequested) {
            report.Write(InterruptedLine);
        }
        report.Write(now.progressText + "\n");
        report.Write(now.entryText + "\n");
        report.Commit();
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
