#pragma once

#include "job/check_point.h"

namespace wordgleaner {

class SharedProgress;

// How the worker reads its abort request: at the check points, where a
// test's hook may request it first, and between them as it stands.
class AbortCheck {
public:
    // `progress` must outlive the check.
    explicit AbortCheck(SharedProgress& progress, CheckPointHook hook = {});

    // Once requested, the abort holds for the rest of the run and the
    // owner sees it in its snapshots.
    bool RequestedAt(CheckPoint point);
    bool Requested() const;

private:
    SharedProgress& progress;
    CheckPointHook hook;
};

}  // namespace wordgleaner
