#include "job/worker/batch_run.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "job/output_files.h"
#include "job/progress_percent.h"
#include "job/run_end.h"
#include "job/worker/abort_check.h"
#include "job/worker/batch_report.h"
#include "job/worker/batch_review.h"
#include "job/worker/destination_folders.h"
#include "job/worker/destination_lock.h"
#include "job/worker/folder_tree.h"
#include "job/worker/mod_directory.h"
#include "job/worker/patch_file.h"
#include "job/worker/recover_file.h"
#include "job/worker/recovery_tally.h"
#include "job/worker/reference_files.h"
#include "job/worker/review_decisions.h"
#include "job/worker/run_start.h"
#include "job/worker/search_choice.h"
#include "job/worker/shared_progress.h"
#include "job/worker/unsearched_sub_folders.h"
#include "matching/output/number_format.h"
#include "matching/reference_index.h"
#include "matching/reference_search.h"
#include "matching/reference_set.h"
#include "review/decisions_file.h"
#include "review/review_record.h"
#include "store/tra_file.h"

namespace wordgleaner {

namespace {

constexpr const char* BuildingListText = "Building list of tra files to process...";
constexpr const char* IndexingStage = "indexing the reference texts";
constexpr const char* NoFileSentence = "No file to process. Check specified mod directory";
constexpr const char* OriginalLanguage = "original";
constexpr const char* TranslatedLanguage = "destination";

// Two decimals as "%0.2f", but independent of the process locale (the
// desktop program runs under the user's, which may use a decimal comma) and
// with halfway values rounded away from zero like every other figure we print.
std::string TwoDecimals(double value) {
    return FormatFixed(value, 2);
}

// "Memory allocation failure while recovering dialog.tra": what the run was
// doing tells the user which input was too large.
std::string ShortOfMemoryText(const std::string& stage) {
    return std::string(TraErrorMessage(TraNoMemory)) + " while " + stage;
}

std::string FailedToLoadText(const std::string& what, const TraFailure& failure) {
    return "Failed to load " + what + ", cause: " + TraFailureText(failure);
}

// A load fails under the path of the file at fault: the female table beside
// a string table, or the file loaded.
std::string FailedToLoadReferenceText(const std::string& path, const TraFailure& failure) {
    return FailedToLoadText(failure.otherFile.empty() ? path : failure.otherFile, failure);
}

std::string FailedToWriteText(std::string_view name, const TraFailure& failure) {
    return "Failed to write " + std::string(name) + ", cause: " + TraFailureText(failure);
}

std::string FailedToSaveText(const std::string& name, const TraFailure& failure) {
    return "Failed to save " + name + ", cause: " + TraFailureText(failure);
}

// A single reference file is announced as it always was; one of several
// with its number and path.
std::string LoadingText(const char* language, const std::string& path, std::size_t number,
                        std::size_t count) {
    if (count == 1) {
        return "Loading reference tra file in " + std::string(language) + " language...";
    }
    return "Loading reference tra file " + std::to_string(number) + " / " + std::to_string(count) +
           " in " + language + " language: " + path;
}

std::string DecisionsFaultText(const std::string& path, const std::string& fault) {
    return "Failed to read the review decisions file " + path + ", cause: " + fault;
}

std::string BusyText(const std::string& destination) {
    return "Another run is writing into " + destination;
}

std::string NotWritableText(const std::string& destination, const std::error_code& reason) {
    return "Cannot write into the destination folder " + destination +
           ", cause: " + reason.message();
}

// "No file to process. Check specified mod directory: mods/x holds no tra
// file.", or why it could not be listed.
std::string NoFileText(const std::string& directory, const FolderTreeListing& list) {
    if (directory.empty()) {
        return std::string(NoFileSentence) + ": no folder was given.";
    }
    const std::string why = list.status == TraOk ? "holds no tra file" : list.fault;
    return std::string(NoFileSentence) + ": " + directory + " " + why + ".";
}

std::string SkippedLine(const std::string& name, const std::string& failureText) {
    return "Skipped " + name + ": " + failureText;
}

std::string SkippedCountText(std::size_t count) {
    return "; " + std::to_string(count) + (count == 1 ? " file" : " files") +
           " skipped after a failure";
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

// The objects of one run, all on the worker thread for the length of the
// run: the listed mod files, the reference set with everything it is made of
// and searched with, the patch, the tally and the review records. No other
// thread sees them; the owner sees the run through the shared progress.
class BatchRun {
public:
    BatchRun(const JobInputs& inputs, SharedProgress& progress, CheckPointHook hook)
        : inputs(inputs),
          options(inputs.options),
          progress(progress),
          abortCheck(progress, std::move(hook)) {}

    BatchCounters Execute() {
        // Starting the job has cleared the percentages and texts. The lock
        // is let go, and its file removed, before the run is seen to end.
        if (!ReadDecisions()) {
            return tally.counters;
        }
        DestinationLock lock;
        if (!TakeDestination(lock)) {
            return tally.counters;
        }
        try {
            // An empty list always fails, so that no front end reports
            // success for a run that did nothing.
            const TraError status = ListFiles() ? WithReview(RunWithFiles()) : TraOpenFailed;
            progress.SetStatus(WriteReport(status));
        } catch (const std::bad_alloc&) {
            EndShortOfMemory();
        }
        return tally.counters;
    }

private:
    // The memory ran out at `stage`: the run fails with it, keeps the patch
    // lines written so far and still tries its report, as after any other
    // failure; the memory that step held is free again.
    void EndShortOfMemory() {
        progress.SetProgressText(ShortOfMemoryText(stage));
        progress.SetStatus(TraNoMemory);
        try {
            ClosePatch(TraNoMemory);
            WriteReport(TraNoMemory);
        } catch (const std::bad_alloc&) {
            // Even that was too much: the status tells the failure.
        }
    }

    // --- The review's decisions ------------------------------------------------

    // Read before the destination is touched: a run whose decisions file is
    // refused leaves the destination as the last run left it.
    bool ReadDecisions() {
        if (options.decisionsFile.empty()) {
            return true;
        }
        DecisionsFileRead read = ReadDecisionsFile(options.decisionsFile);
        if (!read.Ok()) {
            progress.SetProgressText(DecisionsFaultText(options.decisionsFile, read.fault));
            progress.SetStatus(DecisionsFileStatus);
            return false;
        }
        decisions.emplace(std::move(read.decisions), options.codePage);
        return true;
    }

    // --- The destination, the run's own ---------------------------------------

    // A destination another run writes into is left to it untouched; one
    // this run holds tells of this run only from here on.
    bool TakeDestination(DestinationLock& lock) {
        const std::string& destination = inputs.destinationDirectory;
        switch (lock.Take(destination)) {
            case LockOutcome::Taken:
                return StartReport(destination);
            case LockOutcome::Busy:
                progress.SetProgressText(BusyText(destination));
                progress.SetStatus(DestinationBusyStatus);
                return false;
            case LockOutcome::Failed:
                break;
        }
        progress.SetProgressText(NotWritableText(destination, lock.Reason()));
        progress.SetStatus(TraOpenFailed);
        return false;
    }

    bool StartReport(const std::string& destination) {
        const TraFailure failure = ReplaceEarlierOutputs(destination);
        if (failure.code != TraOk) {
            progress.SetProgressText(FailedToWriteText(ReportFileName, failure));
            progress.SetStatus(failure.code);
        }
        return failure.code == TraOk;
    }

    // --- The mod files listed -------------------------------------------------

    bool ListFiles() {
        progress.SetProgressText(BuildingListText);
        stage = "listing the mod files";
        if (!options.includeSubFolders) {
            progress.SetUnsearchedSubFolders(FindUnsearchedSubFolders(inputs));
        }
        FolderTreeListing list =
            ListFolderTree(inputs.modDirectory, ListTraFiles, options.includeSubFolders);
        if (list.names.empty()) {
            progress.SetProgressText(list.faults.empty() ? NoFileText(inputs.modDirectory, list)
                                                         : list.faults[0].Text());
            return false;
        }
        files = std::move(list.names);
        unlistedModFolders = std::move(list.faults);
        return true;
    }

    TraError RunWithFiles() {
        TraError status = TraOk;
        if (!SkipUnlistedModFolders(status) || !LoadReferences(status)) {
            return status;
        }
        if (status = IndexReferences(); status != TraOk) {
            return status;
        }
        if (options.generatePatch) {
            if (status = OpenPatch(); status != TraOk) {
                return status;
            }
        }
        return ClosePatch(ProcessFiles());
    }

    // A sub-folder of the mod folder that could not be listed fails the run,
    // unless it keeps going: its files would be missing from a run that
    // looks complete.
    bool SkipUnlistedModFolders(TraError& status) {
        for (const FolderTreeFault& fault : unlistedModFolders) {
            progress.SetProgressText(fault.Text());
            status = TraOpenFailed;
            if (!SkipAfterFailure(fault.folder, status)) {
                return false;
            }
        }
        status = TraOk;
        return true;
    }

    // --- The reference set -----------------------------------------------------

    // False when the run stops here: a pair or file failed and the run does
    // not keep going, or an abort was seen.
    bool LoadReferences(TraError& status) {
        stage = "listing the reference files";
        ReferenceListing listing = ListReferenceFiles(inputs.references, options.includeSubFolders);
        ignoredReferences = std::move(listing.ignored);
        for (const ReferencePairFault& fault : listing.faults) {
            progress.SetProgressText(fault.text);
            status = fault.status;
            if (!SkipAfterFailure(fault.path, status)) {
                return false;
            }
        }
        std::vector<ReferenceFile> loaded;
        std::vector<std::string> originalPaths;
        std::vector<std::string> listedNames;
        for (std::size_t i = 0; i < listing.files.size(); ++i) {
            const ReferenceFilePaths& paths = listing.files[i];
            if (LoadReferenceFile(paths, i + 1, listing.files.size(), loaded, status)) {
                originalPaths.push_back(paths.original);
                listedNames.push_back(paths.listedName);
            } else if (status == TraOk || !SkipAfterFailure(paths.original, status)) {
                return false;
            }
        }
        stage = "building the reference set";
        NameReferenceFiles(loaded, originalPaths, listedNames);
        references = ReferenceSet(std::move(loaded));
        status = TraOk;
        return true;
    }

    // Loads one file of the set and its counterpart into referenceFiles and
    // appends it to `loaded`; after a failure or an abort nothing of it stays.
    bool LoadReferenceFile(const ReferenceFilePaths& paths, std::size_t number, std::size_t count,
                           std::vector<ReferenceFile>& loaded, TraError& status) {
        const std::size_t before = referenceFiles.size();
        TraFile& original = referenceFiles.emplace_back();
        const TraFile* translated = nullptr;
        bool ok = LoadReference(original, {paths.original, {}},
                                LoadingText(OriginalLanguage, paths.original, number, count),
                                CheckPoint::AfterOriginalReference, status);
        if (ok && !paths.translated.empty()) {
            TraFile& counterpart = referenceFiles.emplace_back();
            ok = LoadReference(counterpart, {paths.translated, paths.translatedFemaleTable},
                               LoadingText(TranslatedLanguage, paths.translated, number, count),
                               CheckPoint::AfterTranslatedReference, status);
            translated = &counterpart;
        }
        if (!ok) {
            while (referenceFiles.size() > before) {
                referenceFiles.pop_back();
            }
            return false;
        }
        loaded.push_back({&original, translated, {}});
        return true;
    }

    // One side of a reference file: a tra file or a string table, with the
    // table's female texts when it has a female table.
    struct ReferenceSide {
        const std::string& path;
        const std::string& femaleTable;  // empty: none
    };

    // False when the run stops here: the load failed, or an abort was seen
    // right after it.
    bool LoadReference(TraFile& reference, const ReferenceSide& side,
                       const std::string& loadingText, CheckPoint afterLoad, TraError& status) {
        progress.SetProgressText(loadingText);
        stage = "loading " + side.path;
        status = reference.LoadReference(side.path, side.femaleTable);
        if (status != TraOk) {
            progress.SetProgressText(
                FailedToLoadReferenceText(side.path, reference.GetLastFailure()));
            return false;
        }
        if (abortCheck.RequestedAt(afterLoad)) {
            progress.SetProgressText(StoppedText(progress.Snapshot()));
            return false;
        }
        return true;
    }

    // The whole set is indexed once, and searched through the index from
    // then on.
    TraError IndexReferences() {
        stage = IndexingStage;
        if (!BuildReferenceIndex(references, index)) {
            // Searching a partial index would report a whole run while
            // missing texts the reference holds.
            progress.SetProgressText(ShortOfMemoryText(stage));
            return TraNoMemory;
        }
        search = MakeReferenceSearch(references, index, options);
        return TraOk;
    }

    // --- Patch and report: a run whose outputs cannot be written fails ------

    // A patch that cannot be created stops the run before any file, rather
    // than leaving the user a run that looks complete without its patch.
    TraError OpenPatch() {
        const std::string path = PatchPath(inputs.destinationDirectory);
        const TraError status = patch.Open(path);
        if (status != TraOk) {
            progress.SetProgressText(FailedToWriteText(PatchFileName, patch.Failure()));
        }
        return status;
    }

    // An earlier failure stays the run's status.
    TraError ClosePatch(TraError status) {
        const TraError closed = patch.Close();
        if (closed == TraOk) {
            return status;
        }
        if (status != TraOk) {
            return status;
        }
        progress.SetProgressText(FailedToWriteText(PatchFileName, patch.Failure()));
        return closed;
    }

    // Returns the run's status: `status`, or the report's failure when the
    // run had none of its own. A report that cannot be written leaves the
    // start report, which tells the run did not end well.
    TraError WriteReport(TraError status) {
        stage = "writing the report";
        const std::string path = ReportPath(inputs.destinationDirectory);
        std::vector<std::string> lines =
            ReportLines(progress.Snapshot(), references, tally.acceptedByReferenceFile,
                        ignoredReferences, options.preferSameId ? tally.ambiguousCount : 0);
        if (decisions) {
            const std::vector<std::string> decided = decisions->ReportLines();
            lines.insert(lines.end(), decided.begin(), decided.end());
        }
        TraFailure failure;
        const TraError written = WriteReportFile(path, lines, failure);
        if (written == TraOk) {
            return status;
        }
        if (status != TraOk) {
            return status;
        }
        progress.SetProgressText(FailedToWriteText(ReportFileName, failure));
        return written;
    }

    // The review goes beside the report of a run that did not fail, aborted
    // ones included, and of one that only skipped files, for those it
    // recovered; written before the report, so that the report tells a
    // review that could not be written.
    TraError WithReview(TraError status) {
        const bool onlySkipped = filesEnded && status == firstSkipped;
        if (status != TraOk && !onlySkipped) {
            return status;
        }
        stage = "writing the review";
        const TraError written = WriteBatchReview(inputs, reviewRecords, progress);
        return written != TraOk ? written : status;
    }

    // --- The mod files recovered ----------------------------------------------

    TraError ProcessFiles() {
        const int count = static_cast<int>(files.size());
        progress.SetFileCount(count);
        int started = 0;
        TraError status = TraOk;
        while (started < count && status == TraOk &&
               !abortCheck.RequestedAt(CheckPoint::BeforeFile)) {
            status = ProcessFile(files[started], started, count);
            if (status != TraOk && SkipAfterFailure(files[started], status)) {
                status = TraOk;
            }
            ++started;
        }
        if (status != TraOk) {
            return status;
        }
        // A file cut short by a stop is not done: the report names it apart.
        const int finished = started - (progress.Snapshot().partialFile.empty() ? 0 : 1);
        std::string completed = CompletedText(finished, count, options);
        if (skipped > 0) {
            completed += SkippedCountText(skipped);
        }
        progress.SetProgressText(std::move(completed));
        progress.SetEntryText(SummaryText(tally.counters));
        filesEnded = true;
        return firstSkipped;
    }

    // A file that fails to load or to save stops the batch, unless the run
    // keeps going.
    TraError ProcessFile(const std::string& name, int index, int count) {
        SplitFileName split = SplitAtLastDot(name);
        progress.SetProgressText(ProcessingText(split, index, count));
        progress.SetFilePercent(WholePercent(index, count));
        progress.SetFilePosition(index + 1, count, name);
        stage = "recovering " + name;
        TraError status = modFile.Load(JoinRelativePath(inputs.modDirectory, name));
        if (status != TraOk) {
            progress.SetProgressText(FailedToLoadText(split.baseName, modFile.GetLastFailure()));
            return status;
        }
        RecoverFile(modFile, name,
                    {options, references, *search, tally, patch, reviewRecords, progress,
                     abortCheck, decisions ? &*decisions : nullptr});
        // A stop seen inside the file left its later entries as they were,
        // as its patch trailer tells too.
        const bool partial = abortCheck.Requested();
        if (status = SaveRecovered(name); status != TraOk) {
            return status;
        }
        progress.FileSaved(name, partial);
        return TraOk;
    }

    // At the same path under the destination, into folders made for it.
    TraError SaveRecovered(const std::string& name) {
        std::string folderFailure;
        TraError status = MakeDestinationFolders(inputs.destinationDirectory, name, folderFailure);
        if (status != TraOk) {
            progress.SetProgressText(std::move(folderFailure));
            return status;
        }
        status = modFile.Save(JoinRelativePath(inputs.destinationDirectory, name));
        if (status != TraOk) {
            progress.SetProgressText(FailedToSaveText(name, modFile.GetLastFailure()));
        }
        return status;
    }

    // With --keep-going a file (a mod file, a reference file or pair) that
    // failed is named in the report with its failure text, still the
    // progress text, and the run goes on to end with the first such status.
    bool SkipAfterFailure(const std::string& name, TraError status) {
        if (!options.keepGoing) {
            return false;
        }
        progress.AddSkippedFile(SkippedLine(name, progress.Snapshot().progressText));
        firstSkipped = firstSkipped != TraOk ? firstSkipped : status;
        ++skipped;
        return true;
    }

    const JobInputs& inputs;
    const RecoveryOptions& options;
    SharedProgress& progress;
    AbortCheck abortCheck;
    // Of the mod directory, by their paths under it, in the order processed.
    std::vector<std::string> files;
    std::vector<FolderTreeFault> unlistedModFolders;
    // Every loaded reference file, originals and translations; a deque, so
    // that the set's pointers stay valid as files are added.
    std::deque<TraFile> referenceFiles;
    ReferenceSet references;
    ReferenceIndex index;                        // of the whole set, built once
    std::unique_ptr<ReferenceSearch> search;     // over the set and its index
    std::vector<std::string> ignoredReferences;  // report lines
    TraFile modFile;                             // loaded anew for every mod file
    RecoveryTally tally;
    // Kept when the batch is left by an exception too: its lines so far are
    // the record of the entries recovered.
    PatchFile patch;
    std::vector<ReviewRecord> reviewRecords;   // filled only when the options ask for a review
    std::optional<ReviewDecisions> decisions;  // when the options name a decisions file
    TraError firstSkipped = TraOk;
    std::size_t skipped = 0;
    bool filesEnded = false;  // the loop over the mod files went to its end
    std::string stage;        // what the run is doing, for a failure to allocate memory
};

}  // namespace

BatchCounters RunBatch(const JobInputs& inputs, SharedProgress& progress, CheckPointHook hook) {
    return BatchRun(inputs, progress, std::move(hook)).Execute();
}

}  // namespace wordgleaner
