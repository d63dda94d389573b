#include "job/worker/folder_tree.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include "job/worker/folder_tree_win32.h"
#endif

namespace wordgleaner {

namespace {

constexpr char RelativeSeparator = '/';
// A sub-folder whose own listing went well but whose files could not be
// chosen: the listing of files failed after the listing of folders.
constexpr const char* FilesUnlistedReason = "its files could not be listed";

// The real folders directly in `folder`, by name, in the order the file
// system gives them. False, with the reason, when the folder cannot be
// listed to its end.
bool ListSubFolderNames(const std::string& folder, std::vector<std::string>& names,
                        std::string& reason) {
#if defined(_WIN32)
    return ListSubFolderNamesWin32(folder, names, reason);
#else
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entry(fs::path(folder), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        // The link itself: a link to a folder is no sub-folder, so a tree
        // never loops back into itself.
        std::error_code unexamined;
        if (fs::is_directory(entry->symlink_status(unexamined))) {
            names.push_back(entry->path().filename().string());
        }
    }
    if (error) {
        reason = error.message();
        return false;
    }
    return true;
#endif
}

class TreeWalk {
public:
    TreeWalk(const std::string& top, const FolderFileLister& listFiles, FolderTreeListing& listing)
        : top(top), listFiles(listFiles), listing(listing) {}

    void Top() {
        ModFileList files = listFiles(top);
        if (files.status != TraOk) {
            listing = {{}, files.status, {}, std::move(files.fault)};
            return;
        }
        listing.names = std::move(files.names);
        std::vector<std::string> subFolders;
        std::string reason;
        if (!ListSubFolderNames(top, subFolders, reason)) {
            listing.faults.push_back({top, reason});
            return;
        }
        Walk(top, {}, subFolders);
    }

private:
    // Lists the sub-folders of `folder`, whose path under the top is
    // `relative` (empty or ending in '/').
    void Walk(const std::string& folder, const std::string& relative,
              std::vector<std::string>& subFolders) {
        std::sort(subFolders.begin(), subFolders.end(),
                  [](const std::string& a, const std::string& b) { return ModFileNameLess(a, b); });
        for (const std::string& name : subFolders) {
            SubFolder(JoinPath(folder, name), relative + name + RelativeSeparator);
        }
    }

    // The folders below are listed before the files are chosen, so that a
    // folder that cannot be read is told with the system's reason.
    void SubFolder(const std::string& folder, const std::string& relative) {
        std::vector<std::string> subFolders;
        std::string reason;
        if (!ListSubFolderNames(folder, subFolders, reason)) {
            listing.faults.push_back({Named(relative), reason});
            return;
        }
        ModFileList files = listFiles(folder);
        if (files.status != TraOk) {
            listing.faults.push_back({Named(relative), FilesUnlistedReason});
            return;
        }
        for (const std::string& name : files.names) {
            listing.names.push_back(relative + name);
        }
        Walk(folder, relative, subFolders);
    }

    std::string Named(const std::string& relative) const {
        return NamedRelativePath(top, relative.substr(0, relative.size() - 1));
    }

    const std::string& top;
    const FolderFileLister& listFiles;
    FolderTreeListing& listing;
};

}  // namespace

std::string FolderTreeFault::Text() const {
    return "Cannot list the folder " + folder + ", cause: " + reason;
}

FolderTreeListing ListFolderTree(const std::string& folder, const FolderFileLister& listFiles,
                                 bool includeSubFolders) {
    if (!includeSubFolders) {
        ModFileList files = listFiles(folder);
        return {std::move(files.names), files.status, {}, std::move(files.fault)};
    }
    FolderTreeListing listing;
    try {
        TreeWalk(folder, listFiles, listing).Top();
    } catch (const std::exception&) {
        // Out of memory: a partial tree would pass for a whole one.
        return {{}, TraOpenFailed, {}};
    }
    return listing;
}

std::vector<SubFolderFiles> SubFoldersWithFiles(const std::string& folder,
                                                const FolderFileLister& listFiles) {
    std::vector<std::string> names;
    std::string reason;
    std::vector<SubFolderFiles> found;
    try {
        if (!ListSubFolderNames(folder, names, reason)) {
            return {};
        }
        std::sort(names.begin(), names.end(),
                  [](const std::string& a, const std::string& b) { return ModFileNameLess(a, b); });
        for (const std::string& name : names) {
            const FolderTreeListing tree = ListFolderTree(JoinPath(folder, name), listFiles, true);
            if (!tree.names.empty()) {
                found.push_back({name, tree.names.size()});
            }
        }
    } catch (const std::exception&) {
        return {};  // out of memory: the note is left out, the run is not harmed
    }
    return found;
}

std::string JoinRelativePath(const std::string& folder, const std::string& relative) {
    std::string path = folder;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = relative.find(RelativeSeparator, start);
        path = JoinPath(path, relative.substr(start, end - start));
        if (end == std::string::npos) {
            return path;
        }
        start = end + 1;
    }
}

std::string NamedRelativePath(const std::string& folder, const std::string& relative) {
    return JoinPath(folder, relative);
}

std::string RelativeFolderOf(const std::string& relative) {
    const std::string::size_type last = relative.rfind(RelativeSeparator);
    return last == std::string::npos ? std::string() : relative.substr(0, last);
}

}  // namespace wordgleaner
