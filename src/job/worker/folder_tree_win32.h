#pragma once

// The Windows side of a folder tree, through the 8-bit ("A") file API only,
// as the mod directory's listing: names keep their bytes in the system code
// page.

#include <string>
#include <vector>

namespace wordgleaner {

// Appends the names of the folders directly in `folder`, in the order
// Windows lists them; "." and "..", and junctions and links to folders
// (reparse points) are never taken. False, with the system's reason, when
// the folder cannot be listed to its end.
bool ListSubFolderNamesWin32(const std::string& folder, std::vector<std::string>& names,
                             std::string& reason);

// True when `path` names a folder (or a link to one).
bool IsFolderWin32(const std::string& path);
// True when `path` names anything at all.
bool ExistsWin32(const std::string& path);
// Creates the folder `path`, whose parent exists; false, with the system's
// reason, when it cannot.
bool CreateFolderWin32(const std::string& path, std::string& reason);

}  // namespace wordgleaner
