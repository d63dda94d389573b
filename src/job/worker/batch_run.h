#pragma once

#include "job/batch_counters.h"
#include "job/check_point.h"
#include "job/job_inputs.h"

namespace wordgleaner {

class SharedProgress;

// The batch of one run, on the calling thread: every tra file of the mod
// directory is recovered against the reference set and saved into the
// destination directory, with the patch file, the review and the report.
// Stores the run's status, texts and files percentage in `progress` up to,
// not including, the last write that ends the run, and returns what it
// counted for that write. `hook` is the tests' say at each check point.
BatchCounters RunBatch(const JobInputs& inputs, SharedProgress& progress, CheckPointHook hook = {});

}  // namespace wordgleaner
