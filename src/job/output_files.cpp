#include "job/output_files.h"

#include "job/worker/mod_directory.h"
#include "review/review_csv.h"
#include "review/review_html.h"

namespace wordgleaner {

std::string ReportPath(const std::string& destinationDirectory) {
    return JoinPath(destinationDirectory, std::string(ReportFileName));
}

std::string PatchPath(const std::string& destinationDirectory) {
    return JoinPath(destinationDirectory, std::string(PatchFileName));
}

std::string LockPath(const std::string& destinationDirectory) {
    return JoinPath(destinationDirectory, std::string(LockFileName));
}

std::string ReviewPagePath(const std::string& destinationDirectory) {
    return JoinPath(destinationDirectory, std::string(ReviewPageName));
}

std::string ReviewTablePath(const std::string& destinationDirectory) {
    return JoinPath(destinationDirectory, std::string(ReviewTableName));
}

std::vector<std::string> RunOutputPaths(const std::string& destinationDirectory) {
    return {ReportPath(destinationDirectory), PatchPath(destinationDirectory),
            ReviewPagePath(destinationDirectory), ReviewTablePath(destinationDirectory)};
}

}  // namespace wordgleaner
