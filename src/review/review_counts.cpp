#include "review/review_counts.h"

#include <numeric>
#include <string_view>
#include <unordered_map>

namespace wordgleaner {

namespace {

std::size_t IndexOf(ReviewOutcome outcome) {
    return static_cast<std::size_t>(outcome);
}

// Keeps the files in first-seen order and finds each in constant time, so
// counting stays linear in the number of records.
class FileTally {
public:
    void Add(const std::string& file, ReviewOutcome outcome) {
        auto [position, added] = indexByName.try_emplace(file, files.size());
        if (added) {
            files.push_back({file, {}});
        }
        ++files[position->second].counts[IndexOf(outcome)];
    }

    std::vector<FileCounts> Take() { return std::move(files); }

private:
    std::unordered_map<std::string, std::size_t> indexByName;
    std::vector<FileCounts> files;
};

}  // namespace

int CountOf(const OutcomeCounts& counts, ReviewOutcome outcome) {
    return counts[IndexOf(outcome)];
}

int TotalOf(const OutcomeCounts& counts) {
    return std::accumulate(counts.begin(), counts.end(), 0);
}

ReviewCounts CountOutcomes(std::span<const ReviewRecord> records) {
    ReviewCounts result;
    FileTally modFiles;
    FileTally referenceFiles;
    for (const ReviewRecord& record : records) {
        const ReviewOutcome outcome = ReviewOutcomeOf(record);
        ++result.all[IndexOf(outcome)];
        modFiles.Add(record.modFile, outcome);
        if (record.HasBest()) {
            referenceFiles.Add(record.referenceFile, outcome);
        }
    }
    result.modFiles = modFiles.Take();
    result.referenceFiles = referenceFiles.Take();
    return result;
}

}  // namespace wordgleaner
