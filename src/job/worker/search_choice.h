#pragma once

#include <memory>

#include "matching/reference_search.h"

namespace wordgleaner {

struct RecoveryOptions;

// The search a run uses over the reference set and its index: the indexed
// one, or the linear one when the options ask for it or the indexes do not
// fit in memory (the results are the same). Both must outlive it.
std::unique_ptr<ReferenceSearch> MakeReferenceSearch(const ReferenceSet& references,
                                                     const ReferenceIndex& index,
                                                     const RecoveryOptions& options);

}  // namespace wordgleaner
