#include "job/destination_check.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

#include "job/output_files.h"
#include "job/worker/folder_tree.h"
#include "job/worker/mod_directory.h"
#include "job/worker/reference_files.h"
#include "store/file_identity.h"
#include "store/new_file.h"

namespace wordgleaner {

namespace fs = std::filesystem;

namespace {

constexpr int TrialNameAttempts = 16;

DestinationCheck Fault(DestinationFault fault, std::string message) {
    return {fault, std::move(message)};
}

// Creating and removing a file is the only test that every platform and
// every kind of refusal (permissions, a read-only mount, a full quota) answer
// truly; the permission bits and access() both miss some of them.
std::error_code TryCreatingAFileIn(const std::string& folder) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::error_code reason;
    for (int attempt = 0; attempt < TrialNameAttempts; ++attempt) {
        const std::string trial =
            JoinPath(folder, "~wg" + std::to_string(random() % 1000000000) + ".tmp");
        if (std::FILE* file = CreateNewFile(trial)) {
            std::fclose(file);
            std::remove(trial.c_str());
            return {};
        }
        reason = std::error_code(errno, std::generic_category());
        if (reason != std::errc::file_exists) {
            break;
        }
    }
    return reason;
}

// Without its trailing separator, which the Windows C library refuses to
// look up ("mod/" would otherwise never equal "mod").
fs::path WithoutTrailingSeparator(fs::path path) {
    if (!path.has_filename() && path.has_relative_path()) {
        path = path.parent_path();
    }
    return path;
}

bool SameFolder(const std::string& one, const fs::path& other) {
    std::error_code ignored;
    return fs::equivalent(WithoutTrailingSeparator(fs::path(one)), WithoutTrailingSeparator(other),
                          ignored);
}

// The folder that holds `file`; "." for a bare name.
fs::path FolderOf(const std::string& file) {
    const fs::path parent = fs::path(file).parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// True when `destination` lies somewhere below `folder`, through links too:
// a run over the folder's whole tree would read its own outputs back.
bool InsideFolder(const std::string& destination, const std::string& folder) {
    std::error_code error;
    fs::path at = fs::canonical(WithoutTrailingSeparator(fs::path(destination)), error);
    if (error) {
        return false;
    }
    for (fs::path parent = at.parent_path(); parent != at; parent = at.parent_path()) {
        at = parent;
        if (SameFolder(folder, at)) {
            return true;
        }
    }
    return false;
}

// With sub-folders included, a destination anywhere in the mod folder's tree
// or a reference folder's tree is refused as the folder itself is.
DestinationCheck InsideReadTrees(const JobInputs& inputs) {
    const std::string& destination = inputs.destinationDirectory;
    if (InsideFolder(destination, inputs.modDirectory)) {
        return Fault(DestinationFault::IsModFolder,
                     "The destination folder is inside the mod folder, whose sub-folders the run "
                     "reads: it would read its recovered files back as mod files.");
    }
    for (const ReferencePair& pair : inputs.references) {
        if (ClassifyReferencePair(pair) != ReferencePairKind::Folders) {
            continue;
        }
        for (const std::string* reference : {&pair.original, &pair.translated}) {
            if (InsideFolder(destination, *reference)) {
                return Fault(DestinationFault::HoldsReference,
                             "The destination folder is inside the reference folder " + *reference +
                                 ", whose sub-folders the run reads: a recovered file could "
                                 "replace a reference file.");
            }
        }
    }
    return {};
}

// A file the run reads, and what it is to the user.
struct RunInput {
    std::string path;
    const char* role;
};

std::vector<RunInput> InputsOf(const JobInputs& inputs, const std::vector<std::string>& mods) {
    std::vector<RunInput> read;
    for (const std::string& name : mods) {
        read.push_back({JoinRelativePath(inputs.modDirectory, name), "the mod file"});
    }
    const bool tree = inputs.options.includeSubFolders;
    for (const ReferenceFilePaths& paths : ListReferenceFiles(inputs.references, tree).files) {
        for (const std::string* path : {&paths.original, &paths.translated}) {
            if (!path->empty()) {
                read.push_back({*path, "the reference file"});
            }
        }
    }
    return read;
}

// The files already in the destination that the run would replace or
// remove, by identity.
std::map<FileIdentity, std::string> ExistingOutputs(const std::string& destination,
                                                    const std::vector<std::string>& mods) {
    std::vector<std::string> paths = RunOutputPaths(destination);
    paths.push_back(LockPath(destination));
    for (const std::string& name : mods) {
        paths.push_back(JoinRelativePath(destination, name));
    }
    std::map<FileIdentity, std::string> outputs;
    for (const std::string& path : paths) {
        if (const std::optional<FileIdentity> identity = IdentityOf(path)) {
            outputs.emplace(*identity, path);
        }
    }
    return outputs;
}

// A link in the destination that leads to an input, an input that is a link
// into the destination, a second name of one file: no comparison of paths
// or folders sees them, the files' identities do.
DestinationCheck SharedFile(const JobInputs& inputs) {
    const std::vector<std::string> mods =
        ListFolderTree(inputs.modDirectory, ListTraFiles, inputs.options.includeSubFolders).names;
    const std::map<FileIdentity, std::string> outputs =
        ExistingOutputs(inputs.destinationDirectory, mods);
    if (outputs.empty()) {
        return {};
    }
    for (const RunInput& input : InputsOf(inputs, mods)) {
        const std::optional<FileIdentity> identity = IdentityOf(input.path);
        const auto output = identity ? outputs.find(*identity) : outputs.end();
        if (output != outputs.end()) {
            return Fault(DestinationFault::SharesInputFile,
                         "The destination file " + output->second + " is " + input.role + " " +
                             input.path +
                             " under another name (a link, or a second name of the same file): "
                             "a run never writes where it reads.");
        }
    }
    return {};
}

}  // namespace

DestinationCheck CheckDestination(const JobInputs& inputs) {
    const std::string& destination = inputs.destinationDirectory;
    std::error_code error;
    const fs::file_status status = fs::status(destination, error);
    if (!fs::exists(status)) {
        return Fault(DestinationFault::Missing,
                     "The destination folder " + destination + " does not exist");
    }
    if (!fs::is_directory(status)) {
        return Fault(DestinationFault::Missing,
                     "The destination " + destination + " is not a folder");
    }
    if (std::error_code reason = TryCreatingAFileIn(destination)) {
        return Fault(DestinationFault::NotWritable, "Cannot write into the destination folder " +
                                                        destination +
                                                        ", cause: " + reason.message());
    }
    if (SameFolder(destination, inputs.modDirectory)) {
        return Fault(DestinationFault::IsModFolder,
                     "The destination folder is the mod folder: every recovered file would "
                     "replace the mod file it comes from.");
    }
    for (const ReferencePair& pair : inputs.references) {
        const bool folders = ClassifyReferencePair(pair) == ReferencePairKind::Folders;
        for (const std::string* reference : {&pair.original, &pair.translated}) {
            if (folders && SameFolder(destination, *reference)) {
                return Fault(DestinationFault::HoldsReference,
                             "The destination folder is the reference folder " + *reference +
                                 ": a recovered file of the same name would replace a reference "
                                 "file.");
            }
            if (!folders && SameFolder(destination, FolderOf(*reference))) {
                return Fault(DestinationFault::HoldsReference,
                             "The destination folder holds the reference file " + *reference +
                                 ": a recovered file of the same name would replace it.");
            }
        }
    }
    if (inputs.options.includeSubFolders) {
        if (DestinationCheck inside = InsideReadTrees(inputs);
            inside.fault != DestinationFault::None) {
            return inside;
        }
    }
    return SharedFile(inputs);
}

}  // namespace wordgleaner
