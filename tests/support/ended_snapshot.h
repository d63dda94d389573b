#pragma once

#include "job/progress_snapshot.h"

namespace wordgleaner {

namespace test_support {

// The last snapshot of a run that ended with `status`, stopped on request
// or not.
inline ProgressSnapshot EndedSnapshot(int status, bool abortRequested) {
    ProgressSnapshot end;
    end.filePercent = ProgressSnapshot::EndedFilePercent;
    end.status = status;
    end.abortRequested = abortRequested;
    return end;
}

}  // namespace test_support

}  // namespace wordgleaner
