#include "job/worker/run_start.h"

#include <filesystem>
#include <system_error>

#include "job/output_files.h"
#include "job/worker/batch_report.h"

namespace wordgleaner {

namespace {

namespace fs = std::filesystem;

constexpr const char* StartedLine = "Process started, not ended.";
constexpr const char* ReplacedLine = "The run replaces this report when it ends.";

// A link goes, never what it leads to; a folder, a device or a protected
// file in an output's place stays, and the run's own write of it fails
// with the reason.
void RemoveEarlierOutput(const std::string& path) {
    std::error_code ignored;
    const fs::file_status status = fs::symlink_status(path, ignored);
    constexpr auto anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const bool writable =
        fs::is_regular_file(status) && (status.permissions() & anyWrite) != fs::perms::none;
    if (writable || fs::is_symlink(status)) {
        fs::remove(path, ignored);
    }
}

}  // namespace

std::vector<std::string> StartReportLines() {
    return {StartedLine, ReplacedLine};
}

TraFailure ReplaceEarlierOutputs(const std::string& destinationDirectory) {
    for (const std::string& path : RunOutputPaths(destinationDirectory)) {
        RemoveEarlierOutput(path);
    }
    TraFailure failure;
    WriteReportFile(ReportPath(destinationDirectory), StartReportLines(), failure);
    return failure;
}

}  // namespace wordgleaner
