#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "job/worker/mod_directory.h"
#include "store/tra_error.h"

namespace wordgleaner {

// Chooses the files of one folder, as bare names in the order they are to
// be processed: a tree listing asks it for each folder it walks, so that
// every folder of a tree is chosen from as its top folder is.
using FolderFileLister = std::function<ModFileList(const std::string& folder)>;

// A sub-folder of a tree that could not be listed.
struct FolderTreeFault {
    std::string folder;  // named as NamedRelativePath names it
    std::string reason;  // the system's, or what went wrong

    // "Cannot list the folder mod/d, cause: Permission denied"
    std::string Text() const;
};

// The files of a folder tree, each named by its path under the top folder
// with '/' between the parts on every platform ("d/dskenb.tra"); a file
// directly in the top folder by its plain name.
struct FolderTreeListing {
    std::vector<std::string> names;
    TraError status = TraOk;  // of the top folder's own listing, as listFiles gave it
    // Sub-folders left out because they could not be listed, in walk order.
    std::vector<FolderTreeFault> faults;
    std::string fault = {};  // why the top folder could not be listed, as listFiles told
};

// Without `includeSubFolders`, exactly what `listFiles` gives for `folder`.
// With it, every folder below it too, depth first: at each level the
// folder's files first, in listFiles' order, then its sub-folders in
// ModFileNameLess order, each listed the same way. A link to a folder is
// never followed, so no tree loops back into itself; what listFiles takes
// of links to files stays as it is. A top folder that cannot be listed
// gives its status and no name, as listFiles does; a sub-folder that cannot
// be listed is a fault, and the rest of the tree is still listed.
FolderTreeListing ListFolderTree(const std::string& folder, const FolderFileLister& listFiles,
                                 bool includeSubFolders);

// A sub-folder directly in a folder whose tree holds files, and how many.
struct SubFolderFiles {
    std::string name;
    std::size_t fileCount = 0;
};

// The sub-folders directly in `folder` (not links to folders) whose trees
// hold files that `listFiles` takes, in ModFileNameLess order, with the
// number of files ListFolderTree would list in each. What cannot be listed
// counts nothing.
std::vector<SubFolderFiles> SubFoldersWithFiles(const std::string& folder,
                                                const FolderFileLister& listFiles);

// The file or folder at `relative` (parts joined by '/') under `folder`,
// joined part by part with the platform's separator, for opening it.
std::string JoinRelativePath(const std::string& folder, const std::string& relative);

// The same as the user is told it: the folder as given, the platform's
// separator, then the relative path with its '/'. On POSIX systems the two
// are the same.
std::string NamedRelativePath(const std::string& folder, const std::string& relative);

// The folder part of a relative path: "d/e" for "d/e/x.tra", "" for "x.tra".
std::string RelativeFolderOf(const std::string& relative);

}  // namespace wordgleaner
