#include "job/destination_check.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "job/worker/mod_directory.h"
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
    return {};
}

}  // namespace wordgleaner
