#include "job/worker/destination_folders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "job/worker/folder_tree.h"
#include "job/worker/mod_directory.h"

#if defined(_WIN32)
#include "job/worker/folder_tree_win32.h"
#endif

namespace wordgleaner {

namespace {

enum class PathKind { Missing, Folder, Other };

PathKind KindOf(const std::string& path) {
#if defined(_WIN32)
    if (IsFolderWin32(path)) {
        return PathKind::Folder;
    }
    return ExistsWin32(path) ? PathKind::Other : PathKind::Missing;
#else
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
        return PathKind::Folder;
    }
    // A dangling link is in the way as much as a file is.
    return fs::exists(status) || fs::is_symlink(fs::symlink_status(path, error))
               ? PathKind::Other
               : PathKind::Missing;
#endif
}

bool CreateFolder(const std::string& path, std::string& reason) {
#if defined(_WIN32)
    return CreateFolderWin32(path, reason);
#else
    std::error_code error;
    std::filesystem::create_directory(path, error);
    if (error) {
        reason = error.message();
        return false;
    }
    return true;
#endif
}

// One folder of the way down: there already, or made now.
TraError EnsureFolder(const std::string& path, const std::string& named, std::string& failureText) {
    std::string reason;
    switch (KindOf(path)) {
        case PathKind::Folder:
            return TraOk;
        case PathKind::Other:
            failureText = "The destination " + named + " is not a folder";
            return TraOpenFailed;
        case PathKind::Missing:
            break;
    }
    if (!CreateFolder(path, reason)) {
        failureText = "Cannot create the destination folder " + named + ", cause: " + reason;
        return TraOpenFailed;
    }
    return TraOk;
}

}  // namespace

TraError MakeDestinationFolders(const std::string& destination, const std::string& relativeFile,
                                std::string& failureText) {
    const std::string folders = RelativeFolderOf(relativeFile);
    if (folders.empty()) {
        return TraOk;
    }
    std::string path = destination;
    for (std::string::size_type start = 0; start <= folders.size();) {
        const std::string::size_type end = std::min(folders.find('/', start), folders.size());
        path = JoinPath(path, folders.substr(start, end - start));
        const TraError status =
            EnsureFolder(path, NamedRelativePath(destination, folders.substr(0, end)), failureText);
        if (status != TraOk) {
            return status;
        }
        start = end + 1;
    }
    return TraOk;
}

}  // namespace wordgleaner
