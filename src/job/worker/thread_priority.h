#pragma once

namespace wordgleaner {

// Lowers the calling thread's scheduling priority one step below normal, so
// that a long batch leaves the desktop responsive. Returns false when the
// platform refused or has no per-thread priority; the caller carries on at
// the priority it has.
bool LowerCurrentThreadPriority();

}  // namespace wordgleaner
