#pragma once

#include <vector>

#include "job/job_inputs.h"
#include "review/review_record.h"
#include "store/tra_error.h"

namespace wordgleaner {

class SharedProgress;

// Writes the review page and table of the run's records into the
// destination directory, when the settings ask for them; TraOk when they do
// not. The page tells the run as its progress stands. A file that cannot be
// written fails the run: its code is returned and the run's progress text
// names the file.
TraError WriteBatchReview(const JobInputs& inputs, const std::vector<ReviewRecord>& records,
                          SharedProgress& progress);

}  // namespace wordgleaner
