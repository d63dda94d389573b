#include "job/worker/reference_files.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "job/worker/folder_tree.h"
#include "job/worker/mod_directory.h"
#include "matching/ascii_case.h"
#include "store/talk_table_names.h"
#include "store/tra_file.h"

namespace wordgleaner {

namespace {

#if defined(_WIN32)
constexpr const char* PathSeparators = "/\\";
#else
constexpr const char* PathSeparators = "/";
#endif

// A reference folder holds tra files and the game's string tables.
bool IsReferenceFileName(std::string_view name) {
    return HasTraExtension(name) || HasTalkTableExtension(name);
}

// The files of one reference folder that are files of the set: all but a
// dialogF.tlk that gives the dialog.tlk beside it its female texts.
ModFileList ListOwnReferenceFiles(const std::string& folder) {
    ModFileList list = ListModFiles(folder, IsReferenceFileName);
    std::vector<std::string> own;
    std::copy_if(
        list.names.begin(), list.names.end(), std::back_inserter(own),
        [&list](const std::string& name) { return !ServesAsFemaleTable(name, list.names); });
    list.names = std::move(own);
    return list;
}

// The female table of the file at `relative` under `folder`, looked for
// beside it; empty when there is none.
std::string FemaleTablePath(const std::string& folder, const std::string& relative) {
    const std::string subFolder = RelativeFolderOf(relative);
    const std::string name = subFolder.empty() ? relative : relative.substr(subFolder.size() + 1);
    if (!HasTalkTableExtension(name)) {
        return {};  // spares a tra file the listing of its folder
    }
    const std::string beside = subFolder.empty() ? folder : JoinRelativePath(folder, subFolder);
    const ModFileList tables = ListModFiles(beside, HasTalkTableExtension);
    const std::string female = FemaleTableName(name, tables.names);
    return female.empty() ? female : JoinPath(beside, female);
}

// The female table beside a table given as a file. None when its folder
// cannot be listed: the table's own load then tells what is wrong.
std::string FemaleTableBeside(const std::string& table) {
    const std::size_t separator = table.find_last_of(PathSeparators);
    const std::string folder =
        separator == std::string::npos ? std::string() : table.substr(0, separator + 1);
    const std::string name = table.substr(folder.size());
    if (!HasTalkTableExtension(name)) {
        return {};  // spares a tra file the listing of its folder
    }
    const ModFileList tables = ListModFiles(folder.empty() ? "." : folder, HasTalkTableExtension);
    const std::string female = FemaleTableName(name, tables.names);
    return female.empty() ? female : folder + female;
}

// The translated name for `original`: the same bytes, failing that the first
// equal up to case; `names.size()` when there is none.
std::size_t CounterpartOf(std::string_view original, const std::vector<std::string>& names,
                          const std::vector<bool>& taken) {
    auto same = std::find(names.begin(), names.end(), original);
    if (same != names.end() && !taken[static_cast<std::size_t>(same - names.begin())]) {
        return static_cast<std::size_t>(same - names.begin());
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!taken[i] && EqualsIgnoringAsciiCase(names[i], original)) {
            return i;
        }
    }
    return names.size();
}

void ListFolderPair(const ReferencePair& pair, bool includeSubFolders, ReferenceListing& listing) {
    const FolderTreeListing originals =
        ListFolderTree(pair.original, ListOwnReferenceFiles, includeSubFolders);
    const FolderTreeListing translated =
        ListFolderTree(pair.translated, ListOwnReferenceFiles, includeSubFolders);
    for (const auto* folder : {&originals, &translated}) {
        if (folder->status != TraOk) {
            const std::string& path = folder == &originals ? pair.original : pair.translated;
            listing.faults.push_back(
                {pair.original, "Cannot list the reference folder " + path, folder->status});
            return;
        }
    }
    for (const auto* folder : {&originals, &translated}) {
        for (const FolderTreeFault& fault : folder->faults) {
            listing.faults.push_back({fault.folder, fault.Text()});
        }
    }
    if (originals.names.empty()) {
        listing.faults.push_back(
            {pair.original, "No tra file in the reference folder " + pair.original});
        return;
    }
    std::vector<bool> taken(translated.names.size(), false);
    for (const std::string& name : originals.names) {
        ReferenceFilePaths paths{JoinRelativePath(pair.original, name), {}, name};
        const std::size_t counterpart = CounterpartOf(name, translated.names, taken);
        if (counterpart < translated.names.size()) {
            taken[counterpart] = true;
            paths.translated = JoinRelativePath(pair.translated, translated.names[counterpart]);
            paths.translatedFemaleTable =
                FemaleTablePath(pair.translated, translated.names[counterpart]);
        }
        listing.files.push_back(std::move(paths));
    }
    for (std::size_t i = 0; i < translated.names.size(); ++i) {
        if (!taken[i]) {
            listing.ignored.push_back("Ignored " +
                                      JoinRelativePath(pair.translated, translated.names[i]) +
                                      ": no file of that name in " + pair.original);
        }
    }
}

// As the file was listed, or by its file name.
const std::string& ListedName(const std::vector<ReferenceFile>& files,
                              std::span<const std::string> listedNames, std::size_t file) {
    const bool listed = file < listedNames.size() && !listedNames[file].empty();
    return listed ? listedNames[file] : files[file].original->GetName();
}

bool NameSharedWithAnother(const std::vector<ReferenceFile>& files,
                           std::span<const std::string> listedNames, std::size_t file) {
    const std::string& name = ListedName(files, listedNames, file);
    for (std::size_t other = 0; other < files.size(); ++other) {
        if (other != file && EqualsIgnoringAsciiCase(ListedName(files, listedNames, other), name)) {
            return true;
        }
    }
    return false;
}

}  // namespace

ReferenceListing ListReferenceFiles(const ReferencePairs& pairs, bool includeSubFolders) {
    ReferenceListing listing;
    for (const ReferencePair& pair : pairs) {
        switch (ClassifyReferencePair(pair)) {
            case ReferencePairKind::Files:
                listing.files.push_back(
                    {pair.original, pair.translated, {}, FemaleTableBeside(pair.translated)});
                break;
            case ReferencePairKind::Folders:
                ListFolderPair(pair, includeSubFolders, listing);
                break;
            case ReferencePairKind::Mixed:
                listing.faults.push_back({pair.original, MixedReferencePairText(pair)});
                break;
        }
    }
    return listing;
}

void NameReferenceFiles(std::vector<ReferenceFile>& files,
                        std::span<const std::string> originalPaths,
                        std::span<const std::string> listedNames) {
    for (std::size_t file = 0; file < files.size(); ++file) {
        files[file].name = NameSharedWithAnother(files, listedNames, file)
                               ? originalPaths[file]
                               : ListedName(files, listedNames, file);
        files[file].listedName = ListedName(files, listedNames, file);
    }
}

}  // namespace wordgleaner
