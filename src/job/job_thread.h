#pragma once

namespace wordgleaner {

class RecoveryJob;

// The worker's entry point: exit code 1 at once without a job, otherwise runs
// the whole batch and returns 0 (the outcome is in the job's status).
int JobThreadProc(RecoveryJob* job);

// Starts one detached worker thread at below-normal priority on
// JobThreadProc. Returns false when no thread could be started; the caller
// must then not wait for the job to finish. The caller has set up the job and
// set filePercent to 0 before.
bool StartJobThread(RecoveryJob& job);

}  // namespace wordgleaner
