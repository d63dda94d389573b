#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "review/review_record.h"

namespace wordgleaner {

using OutcomeCounts = std::array<int, ReviewOutcomeCount>;

int CountOf(const OutcomeCounts& counts, ReviewOutcome outcome);
int TotalOf(const OutcomeCounts& counts);

struct FileCounts {
    std::string file;
    OutcomeCounts counts{};
};

// The review's summary counts, all taken from the records.
struct ReviewCounts {
    OutcomeCounts all{};
    // In the order the records first name each file.
    std::vector<FileCounts> modFiles;
    // The files of the best candidates; entries without one are not counted.
    std::vector<FileCounts> referenceFiles;
};

ReviewCounts CountOutcomes(std::span<const ReviewRecord> records);

}  // namespace wordgleaner
