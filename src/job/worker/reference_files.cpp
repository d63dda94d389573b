#include "job/worker/reference_files.h"

#include <algorithm>
#include <iterator>
#include <string_view>

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

// The names of one folder that are files of the set: all but a dialogF.tlk
// that gives the dialog.tlk beside it its female texts.
std::vector<std::string> OwnFiles(const std::vector<std::string>& names) {
    std::vector<std::string> own;
    std::copy_if(names.begin(), names.end(), std::back_inserter(own),
                 [&names](const std::string& name) { return !ServesAsFemaleTable(name, names); });
    return own;
}

// The female table of the file `name` of `folder`, among the folder's
// `names`; empty when there is none.
std::string FemaleTablePath(const std::string& folder, const std::string& name,
                            const std::vector<std::string>& names) {
    const std::string female = FemaleTableName(name, names);
    return female.empty() ? female : JoinPath(folder, female);
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
    return FemaleTablePath(folder, name, tables.names);
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

void ListFolderPair(const ReferencePair& pair, ReferenceListing& listing) {
    const ModFileList originals = ListModFiles(pair.original, IsReferenceFileName);
    const ModFileList translated = ListModFiles(pair.translated, IsReferenceFileName);
    for (const auto* folder : {&originals, &translated}) {
        if (folder->status != TraOk) {
            const std::string& path = folder == &originals ? pair.original : pair.translated;
            listing.faults.push_back(
                {pair.original, "Cannot list the reference folder " + path, folder->status});
            return;
        }
    }
    const std::vector<std::string> originalFiles = OwnFiles(originals.names);
    const std::vector<std::string> translatedFiles = OwnFiles(translated.names);
    if (originalFiles.empty()) {
        listing.faults.push_back(
            {pair.original, "No tra file in the reference folder " + pair.original});
        return;
    }
    std::vector<bool> taken(translatedFiles.size(), false);
    for (const std::string& name : originalFiles) {
        ReferenceFilePaths paths{JoinPath(pair.original, name), {}, {}};
        const std::size_t counterpart = CounterpartOf(name, translatedFiles, taken);
        if (counterpart < translatedFiles.size()) {
            taken[counterpart] = true;
            paths.translated = JoinPath(pair.translated, translatedFiles[counterpart]);
            paths.translatedFemaleTable =
                FemaleTablePath(pair.translated, translatedFiles[counterpart], translated.names);
        }
        listing.files.push_back(std::move(paths));
    }
    for (std::size_t i = 0; i < translatedFiles.size(); ++i) {
        if (!taken[i]) {
            listing.ignored.push_back("Ignored " + JoinPath(pair.translated, translatedFiles[i]) +
                                      ": no file of that name in " + pair.original);
        }
    }
}

bool NameSharedWithAnother(const std::vector<ReferenceFile>& files, std::size_t file) {
    for (std::size_t other = 0; other < files.size(); ++other) {
        if (other != file && EqualsIgnoringAsciiCase(files[other].original->GetName(),
                                                     files[file].original->GetName())) {
            return true;
        }
    }
    return false;
}

}  // namespace

ReferenceListing ListReferenceFiles(const ReferencePairs& pairs) {
    ReferenceListing listing;
    for (const ReferencePair& pair : pairs) {
        switch (ClassifyReferencePair(pair)) {
            case ReferencePairKind::Files:
                listing.files.push_back(
                    {pair.original, pair.translated, FemaleTableBeside(pair.translated)});
                break;
            case ReferencePairKind::Folders:
                ListFolderPair(pair, listing);
                break;
            case ReferencePairKind::Mixed:
                listing.faults.push_back({pair.original, MixedReferencePairText(pair)});
                break;
        }
    }
    return listing;
}

void NameReferenceFiles(std::vector<ReferenceFile>& files,
                        std::span<const std::string> originalPaths) {
    for (std::size_t file = 0; file < files.size(); ++file) {
        files[file].name = NameSharedWithAnother(files, file) ? originalPaths[file]
                                                              : files[file].original->GetName();
    }
}

}  // namespace wordgleaner
