#include "job/worker/unsearched_sub_folders.h"

#include <algorithm>
#include <cstdint>

#include "job/worker/folder_tree.h"
#include "job/worker/mod_directory.h"
#include "matching/ascii_case.h"

namespace wordgleaner {

namespace {

// Adds the sub-folders of one folder whose names an earlier folder did not
// give; a case variant of a name of the same folder adds to its count.
void AddSubFoldersOf(const std::string& folder, std::vector<UnsearchedSubFolder>& found) {
    const std::size_t firstOfFolder = found.size();
    for (const SubFolderFiles& sub : SubFoldersWithFiles(folder, ListTraFiles)) {
        const auto same = std::find_if(found.begin(), found.end(), [&sub](const auto& known) {
            return EqualsIgnoringAsciiCase(known.name, sub.name);
        });
        const auto count = static_cast<std::int32_t>(sub.fileCount);
        if (same == found.end()) {
            found.push_back({sub.name, count});
        } else if (static_cast<std::size_t>(same - found.begin()) >= firstOfFolder) {
            same->traFiles += count;  // "D" beside "d" in the same folder
        }
    }
}

}  // namespace

std::vector<UnsearchedSubFolder> FindUnsearchedSubFolders(const JobInputs& inputs) {
    std::vector<UnsearchedSubFolder> found;
    AddSubFoldersOf(inputs.modDirectory, found);
    for (const ReferencePair& pair : inputs.references) {
        if (ClassifyReferencePair(pair) == ReferencePairKind::Folders) {
            AddSubFoldersOf(pair.original, found);
        }
    }
    return found;
}

}  // namespace wordgleaner
