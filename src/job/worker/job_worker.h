#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "job/batch_counters.h"
#include "job/check_point.h"
#include "job/job_inputs.h"
#include "job/worker/shared_progress.h"
#include "matching/reference_index.h"
#include "review/review_record.h"
#include "store/text_file.h"
#include "store/tra_error.h"

namespace wordgleaner {

// The worker's side of one run: what the batch and the file recovery work
// with. It lives on the worker thread for the length of the run, so its
// counters, patch file and reference index are seen by no other thread; the
// inputs are only read, and the progress reaches the owner through the
// shared record.
class JobWorker {
public:
    // `inputs` and `progress` must outlive the worker.
    JobWorker(const JobInputs& inputs, SharedProgress& progress, CheckPointHook hook = {});
    // An open patch file is kept, not discarded: the lines written so far
    // are the record of the entries that were recovered.
    ~JobWorker();
    JobWorker(const JobWorker&) = delete;
    JobWorker& operator=(const JobWorker&) = delete;

    const JobInputs& Inputs() const { return inputs; }
    const RecoveryOptions& Options() const { return inputs.options; }
    SharedProgress& Progress() { return progress; }

    // Reads the abort request at a check point, after the hook had its say.
    bool AbortRequestedAt(CheckPoint point);
    bool AbortRequested() const { return progress.AbortRequested(); }

    BatchCounters& Counters() { return counters; }
    // The accepted matches (exact and very likely) by the reference file
    // they were found in, its index in the run's reference set; they add up
    // to the counters' exact and very likely counts.
    std::vector<std::int32_t>& AcceptedByReferenceFile() { return acceptedByReferenceFile; }
    ReferenceIndex& Index() { return referenceIndex; }
    // One record per mod entry with an id, in the order recovered; filled
    // only when the settings ask for a review.
    std::vector<ReviewRecord>& ReviewRecords() { return reviewRecords; }

    TraError OpenPatchFile(const std::string& path);
    // Writes only when the settings ask for a patch and the file is open.
    void WritePatch(std::string_view text);
    // Commits the patch file if one is open; TraOk when none is.
    TraError ClosePatchFile();
    // Why the last OpenPatchFile or ClosePatchFile failed; its code is TraOk
    // when it did not.
    const TraFailure& PatchFailure() const { return patchFailure; }

private:
    const JobInputs& inputs;
    SharedProgress& progress;
    CheckPointHook hook;
    BatchCounters counters;
    std::vector<std::int32_t> acceptedByReferenceFile;
    std::unique_ptr<TextFileWriter> patchFile;  // open while the batch writes the patch
    TraFailure patchFailure;
    ReferenceIndex referenceIndex;  // built by the batch over the reference
    std::vector<ReviewRecord> reviewRecords;
};

}  // namespace wordgleaner
