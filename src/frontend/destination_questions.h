#pragma once

#include <string>
#include <vector>

namespace wordgleaner {

// What a window asks about the destination before a run, and how it says it.

inline constexpr const char* CreateFolderCaption = "Create folder?";
inline constexpr const char* ReplaceFilesCaption = "Replace files?";

// "The destination folder out does not exist.\n\nCreate it?"
std::string CreateFolderQuestion(const std::string& destination);

// Counts the files of an earlier run that a new run would replace and names
// the first few of them, so that the user sees what would be lost.
std::string ReplaceOutputsQuestion(const std::string& destination,
                                   const std::vector<std::string>& replaced);

}  // namespace wordgleaner
