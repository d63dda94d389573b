#pragma once

#include <cstdint>
#include <vector>

#include "job/batch_counters.h"

namespace wordgleaner {

// What the recovery of a batch's mod files counts, over all of them.
struct RecoveryTally {
    BatchCounters counters;
    // The accepted matches (exact and very likely) by the reference file
    // they were found in, its index in the run's reference set; they add up
    // to the counters' exact and very likely counts.
    std::vector<std::int32_t> acceptedByReferenceFile;
    // Exact and up-to-case matches whose equal texts carry other
    // translations; counted only when the preference or the review asks.
    std::int32_t ambiguousCount = 0;

    void CountAccepted(std::uint32_t referenceFile) {
        if (acceptedByReferenceFile.size() <= referenceFile) {
            acceptedByReferenceFile.resize(referenceFile + 1, 0);
        }
        ++acceptedByReferenceFile[referenceFile];
    }
};

}  // namespace wordgleaner
