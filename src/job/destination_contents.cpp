#include "job/destination_contents.h"

#include <filesystem>
#include <system_error>

#include "job/output_files.h"
#include "job/worker/folder_tree.h"
#include "job/worker/mod_directory.h"

namespace wordgleaner {

namespace fs = std::filesystem;

namespace {

// A link to nowhere still has the name, and the run would replace it.
bool NameTaken(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Every file a run on these inputs writes or clears: its recovered files,
// then the report, patch and review of an earlier run, which every run
// removes whatever its own options.
std::vector<std::string> OutputsOfARun(const JobInputs& inputs) {
    const std::string& destination = inputs.destinationDirectory;
    std::vector<std::string> outputs;
    const bool tree = inputs.options.includeSubFolders;
    for (const std::string& name : ListFolderTree(inputs.modDirectory, ListTraFiles, tree).names) {
        outputs.push_back(JoinRelativePath(destination, name));
    }
    for (std::string& path : RunOutputPaths(destination)) {
        outputs.push_back(std::move(path));
    }
    return outputs;
}

}  // namespace

bool DestinationAbsent(const std::string& destination) {
    return !destination.empty() && !NameTaken(destination);
}

std::string CreateDestination(const std::string& destination) {
    std::error_code error;
    fs::create_directories(destination, error);
    if (error) {
        return "Could not create the destination folder " + destination +
               ", cause: " + error.message();
    }
    return {};
}

std::vector<std::string> OutputsARunWouldReplace(const JobInputs& inputs) {
    std::vector<std::string> replaced;
    for (std::string& output : OutputsOfARun(inputs)) {
        if (NameTaken(output)) {
            replaced.push_back(std::move(output));
        }
    }
    return replaced;
}

}  // namespace wordgleaner
