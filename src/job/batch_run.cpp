// The batch of one recovery run: every tra file of the mod directory is
// recovered against the reference pair and saved into the destination
// directory, with the patch file and the report file.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "job/mod_directory.h"
#include "job/recover_file.h"
#include "job/recovery_job.h"
#include "matching/number_format.h"
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
constexpr std::int32_t FullPercent = 100;

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
           " %, threshold for likely " + TwoDecimals(options.minLikeliness) + " %";
}

std::string SummaryText(const RecoveryJob& job) {
    return "Entries: " + std::to_string(job.entriesProcessed) +
           ", Exact match: " + std::to_string(job.exactCount) +
           ", Very likely match: " + std::to_string(job.veryLikelyCount) +
           ", Likely match: " + std::to_string(job.likelyCount);
}

std::int32_t FilesPercent(int done, int count) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(done) * FullPercent / count);
}

// The objects of one run. Everything here belongs to the worker; the job is
// touched only through its shared fields.
class BatchRun {
public:
    explicit BatchRun(RecoveryJob& job) : job(job) {}

    // Runs the whole batch up to, not including, the final filePercent = 100.
    void Execute() {
        Start();
        ModFileList list = ListModFiles(job.modDirectory);
        if (list.names.empty()) {
            job.progressText.Set(NoFileText);
            // An empty list always fails, so that no front end reports
            // success for a run that did nothing.
            job.status = TraOpenFailed;
            return;
        }
        files = std::move(list.names);
        job.status = RunWithFiles();
        WriteReport();
    }

private:
    void Start() {
        job.entryPercent = 0;
        job.filePercent = 0;
        job.progressText.Set(BuildingListText);
        job.entryText.Set("");
    }

    TraError RunWithFiles() {
        TraError status = TraOk;
        if (!LoadReference(referenceOriginal, job.referenceOriginalPath, LoadingOriginalText,
                           CheckPoint::AfterOriginalReference, status)) {
            return status;
        }
        BuildReferenceIndex(referenceOriginal, job.referenceIndex);
        search = MakeReferenceSearch(referenceOriginal, job.referenceIndex, job.options);
        if (!LoadReference(referenceTranslated, job.referenceTranslatedPath, LoadingTranslatedText,
                           CheckPoint::AfterTranslatedReference, status)) {
            return status;
        }
        OpenPatchFile();
        ResetCounters();
        status = ProcessFiles();
        ClosePatchFile();
        return status;
    }

    // False when the run stops here: the load failed, or an abort was seen
    // right after it. An abort ends the run like a failed load, with the
    // message of the load's own status, which is then "No error".
    bool LoadReference(TraFile& reference, const std::string& path, const char* loadingText,
                       CheckPoint afterLoad, TraError& status) {
        job.progressText.Set(loadingText);
        status = reference.Load(path);
        if (status != TraOk || job.AbortRequestedAt(afterLoad)) {
            job.progressText.Set(FailedToLoadText(path, reference.GetLastFailure()));
            return false;
        }
        return true;
    }

    void OpenPatchFile() {
        if (!job.options.generatePatch) {
            return;
        }
        job.patchFile = std::make_unique<TextFileWriter>();
        if (job.patchFile->Open(JoinPath(job.destinationDirectory, PatchFileName)) != TraOk) {
            job.patchFile.reset();  // the run goes on without patch lines
        }
    }

    void ClosePatchFile() {
        if (job.patchFile) {
            job.patchFile->Commit();
            job.patchFile.reset();
        }
    }

    void ResetCounters() {
        job.entriesProcessed = 0;
        job.exactCount = 0;
        job.veryLikelyCount = 0;
        job.likelyCount = 0;
        job.emptyCount = 0;
    }

    TraError ProcessFiles() {
        const int count = static_cast<int>(files.size());
        int started = 0;
        TraError status = TraOk;
        while (started < count && status == TraOk &&
               !job.AbortRequestedAt(CheckPoint::BeforeFile)) {
            status = ProcessFile(files[started], started, count);
            ++started;
        }
        if (status == TraOk) {
            job.progressText.Set(CompletedText(started, count, job.options));
            job.entryText.Set(SummaryText(job));
        }
        return status;
    }

    // A file that fails to load or to save stops the batch; a failed save
    // keeps the "Processing" line, which names the file.
    TraError ProcessFile(const std::string& name, int index, int count) {
        SplitFileName split = SplitAtLastDot(name);
        job.progressText.Set(ProcessingText(split, index, count));
        job.filePercent = FilesPercent(index, count);
        TraError status = modFile.Load(JoinPath(job.modDirectory, name));
        if (status != TraOk) {
            job.progressText.Set(FailedToLoadText(split.baseName, modFile.GetLastFailure()));
            return status;
        }
        RecoverFile(job, modFile, *search, referenceOriginal, referenceTranslated);
        return modFile.Save(JoinPath(job.destinationDirectory, name));
    }

    // A report that cannot be written is left out; the run's outcome is
    // still in the job.
    void WriteReport() {
        TextFileWriter report;
        if (report.Open(JoinPath(job.destinationDirectory, ReportFileName)) != TraOk) {
            return;
        }
        if (job.abortRequested) {
            report.Write(InterruptedLine);
        }
        report.Write(job.progressText.Get() + "\n");
        report.Write(job.entryText.Get() + "\n");
        report.Commit();
    }

    RecoveryJob& job;
    std::vector<std::string> files;
    TraFile referenceOriginal;
    TraFile referenceTranslated;
    TraFile modFile;  // loaded anew for every mod file
    // Built once per run, over referenceOriginal and the job's index.
    std::unique_ptr<ReferenceSearch> search;
};

}  // namespace

void RecoveryJob::Run() {
    try {
        BatchRun(*this).Execute();
    } catch (...) {
        // The core throws nothing but std::bad_alloc. The run must still
        // end, or the window would wait for it forever; the patch lines
        // written so far are kept, as after any other failure.
        if (patchFile) {
            patchFile->Commit();
            patchFile.reset();
        }
        progressText.Set(TraErrorMessage(TraNoMemory));
        status = TraNoMemory;
    }
    filePercent = FullPercent;  // the last write: from here on the job belongs to the window
}

}  // namespace wordgleaner
