#pragma once

// The Windows side of the mod directory. File names and paths stay 8-bit
// strings in the system code page from the listing to the file opened: they
// go through the 8-bit ("A") file API only, never through wide strings, whose
// conversions would not give the same bytes back.

#include <string>
#include <string_view>
#include <vector>

namespace wordgleaner {

// Appends the names of the entries directly in `directory` that `takes`,
// folders of such names included, in the order Windows lists them. False
// when the directory cannot be listed, or the listing fails before its end.
bool ListTraFileNamesWin32(const std::string& directory, bool (*takes)(std::string_view name),
                           std::vector<std::string>& names);

// `directory`, a backslash and `name`; no backslash after an empty directory,
// a directory that ends in a separator, or a bare drive ("C:").
std::string JoinPathWin32(const std::string& directory, const std::string& name);

}  // namespace wordgleaner
