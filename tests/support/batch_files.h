#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "job/progress_snapshot.h"
#include "job/recovery_job.h"
#include "job/recovery_options.h"

namespace wordgleaner {

namespace test_support {

// The four paths of a run.
struct BatchPaths {
    std::string referenceOriginal;
    std::string referenceTranslated;
    std::string modDirectory;
    std::string destinationDirectory;
};

// Runs the whole batch on the job's worker and returns what the job shows
// at its end (a snapshot that has not ended when no worker could start).
inline ProgressSnapshot RunBatch(RecoveryJob& job, const BatchPaths& paths,
                                 const RecoveryOptions& options = {}) {
    if (job.Start(paths.referenceOriginal, paths.referenceTranslated, paths.modDirectory,
                  paths.destinationDirectory, options)) {
        job.WaitForEnd();
    }
    return job.Snapshot();
}

// A run over a reference set: `references` in priority order.
inline ProgressSnapshot RunBatch(RecoveryJob& job, const ReferencePairs& references,
                                 const std::string& modDirectory,
                                 const std::string& destinationDirectory,
                                 const RecoveryOptions& options = {}) {
    if (job.Start(references, modDirectory, destinationDirectory, options)) {
        job.WaitForEnd();
    }
    return job.Snapshot();
}

// The names of the entries directly in `directory`, sorted by bytes.
inline std::vector<std::string> NamesIn(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace test_support

}  // namespace wordgleaner
