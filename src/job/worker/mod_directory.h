#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/tra_error.h"

namespace wordgleaner {

// The tra files of a mod directory, in the order the batch processes them.
struct ModFileList {
    std::vector<std::string> names;  // bare file names, no directory
    TraError status = TraOk;         // TraOpenFailed when the directory could not be listed
    // Why it could not, for the user: "does not exist", "is not a folder",
    // "cannot be listed (Permission denied)"; empty when it was listed.
    std::string fault = {};
};

// True for names ending in ".tra", ".TRA", ".Tra", ...
bool HasTraExtension(std::string_view name);

// Which names a listing takes: a reference folder also holds string tables.
using FileNameTest = bool (*)(std::string_view name);

// Lists every entry directly in `directory` whose name `takes` (by default,
// names ending in ".tra" in any letter case), whatever it is: one that is no
// regular file (a folder, a named pipe, a device, a broken link) is listed
// too, so that its load fails with its name and kind instead of the batch
// ending as a success without it. Entries of other names are never taken.
// The names are sorted (see ModFileNameLess) so that a run does not depend
// on the order the file system happens to deliver them in. A listing that
// fails part way yields no names at all: processing whatever was seen before
// the failure would report a partial batch as a complete one.
ModFileList ListModFiles(const std::string& directory, FileNameTest takes = HasTraExtension);

// ListModFiles with its default choice of names, as a folder tree's lister.
ModFileList ListTraFiles(const std::string& directory);

// Orders names with the ASCII letters folded to lower case, and names that
// are equal that way by their raw bytes, so the order is total and the same
// on every platform: "a.tra" < "B.tra" < "b.tra".
bool ModFileNameLess(std::string_view left, std::string_view right);

// A listed name cut at its last dot: "dialog.tra" gives "dialog" and ".tra";
// joined again they give the listed name.
struct SplitFileName {
    std::string baseName;
    std::string extension;
};
SplitFileName SplitAtLastDot(const std::string& name);

// The directory and the bare name joined with the platform's separator; a
// separator already ending the directory is not doubled.
std::string JoinPath(const std::string& directory, const std::string& name);

}  // namespace wordgleaner
