#pragma once

#include <cstdio>
#include <string>

namespace wordgleaner {

// Creates the file `path` and opens it for writing in binary mode, or fails
// (nullptr) when anything by that name exists already, so that a temporary
// file never takes over a file that happens to have its name.
std::FILE* CreateNewFile(const std::string& path);

}  // namespace wordgleaner
