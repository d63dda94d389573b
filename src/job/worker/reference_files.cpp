#include "job/worker/reference_files.h"

#include <algorithm>
#include <string_view>

#include "job/worker/mod_directory.h"
#include "matching/ascii_case.h"
#include "store/tra_file.h"

namespace wordgleaner {

namespace {

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
    const ModFileList originals = ListModFiles(pair.original);
    const ModFileList translated = ListModFiles(pair.translated);
    for (const auto* folder : {&originals, &translated}) {
        if (folder->status != TraOk) {
            const std::string& path = folder == &originals ? pair.original : pair.translated;
            listing.faults.push_back(
                {pair.original, "Cannot list the reference folder " + path, folder->status});
            return;
        }
    }
    if (originals.names.empty()) {
        listing.faults.push_back(
            {pair.original, "No tra file in the reference folder " + pair.original});
        return;
    }
    std::vector<bool> taken(translated.names.size(), false);
    for (const std::string& name : originals.names) {
        ReferenceFilePaths paths{JoinPath(pair.original, name), {}};
        const std::size_t counterpart = CounterpartOf(name, translated.names, taken);
        if (counterpart < translated.names.size()) {
            taken[counterpart] = true;
            paths.translated = JoinPath(pair.translated, translated.names[counterpart]);
        }
        listing.files.push_back(std::move(paths));
    }
    for (std::size_t i = 0; i < translated.names.size(); ++i) {
        if (!taken[i]) {
            listing.ignored.push_back("Ignored " + JoinPath(pair.translated, translated.names[i]) +
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
                listing.files.push_back({pair.original, pair.translated});
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
