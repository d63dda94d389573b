#pragma once

namespace wordgleaner {

class JobWorker;

// The batch of one run: every tra file of the mod directory is recovered
// against the reference pair and saved into the destination directory, with
// the patch file and the report file. Stores the run's status, texts and
// files percentage up to, not including, the last write that ends the run.
void RunBatch(JobWorker& worker);

}  // namespace wordgleaner
