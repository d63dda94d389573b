#include "job/sub_folder_note.h"

namespace wordgleaner {

std::string UnsearchedSubFolderList(std::span<const UnsearchedSubFolder> folders) {
    std::string list;
    for (const UnsearchedSubFolder& folder : folders) {
        if (!list.empty()) {
            list += ", ";
        }
        list += folder.name + " (" + std::to_string(folder.traFiles) +
                (folder.traFiles == 1 ? " tra file)" : " tra files)");
    }
    return list;
}

std::string SubFoldersNotSearchedLine(std::span<const UnsearchedSubFolder> folders) {
    if (folders.empty()) {
        return {};
    }
    return "Sub-folders not searched: " + UnsearchedSubFolderList(folders) +
           "; include them with --recursive";
}

}  // namespace wordgleaner
