#include "job/worker/abort_check.h"

#include <utility>

#include "job/worker/shared_progress.h"

namespace wordgleaner {

AbortCheck::AbortCheck(SharedProgress& progress, CheckPointHook hook)
    : progress(progress), hook(std::move(hook)) {}

bool AbortCheck::RequestedAt(CheckPoint point) {
    if (hook && hook(point)) {
        progress.RequestAbort();
    }
    return progress.AbortRequested();
}

bool AbortCheck::Requested() const {
    return progress.AbortRequested();
}

}  // namespace wordgleaner
