#pragma once

#include "store/tra_error.h"

namespace wordgleaner {

class JobWorker;

// Writes the review page and table of the run's records into the
// destination directory, when the settings ask for them; TraOk when they do
// not. A file that cannot be written fails the run: its code is returned
// and the run's progress text names the file.
TraError WriteBatchReview(JobWorker& worker);

}  // namespace wordgleaner
