#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace wordgleaner {

// A sub-folder that a run without includeSubFolders left out although tra
// files sit in it (at any depth): its name in the folder that holds it, and
// how many tra files the setting would have added from there.
struct UnsearchedSubFolder {
    std::string name;
    std::int32_t traFiles = 0;

    friend bool operator==(const UnsearchedSubFolder&, const UnsearchedSubFolder&) = default;
};

// "d (60 tra files), e (1 tra file)", in the order given.
std::string UnsearchedSubFolderList(std::span<const UnsearchedSubFolder> folders);

// The line of the report and the command line: "Sub-folders not searched:
// d (60 tra files); include them with --recursive". Empty without folders.
std::string SubFoldersNotSearchedLine(std::span<const UnsearchedSubFolder> folders);

}  // namespace wordgleaner
