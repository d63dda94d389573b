#include "matching/reference_set.h"

#include <utility>

#include "store/id_entries.h"
#include "store/tra_file.h"

namespace wordgleaner {

ReferenceSet::ReferenceSet(std::vector<ReferenceFile> files) : files(std::move(files)) {
    std::size_t entries = 0;
    for (const ReferenceFile& file : this->files) {
        names.push_back(file.name);
        entries += static_cast<std::size_t>(file.original->GetEntryCount());
    }
    records.reserve(entries);
    for (std::uint32_t file = 0; file < this->files.size(); ++file) {
        for (const IdEntry& item : IdEntries(*this->files[file].original)) {
            records.push_back({file, static_cast<std::uint32_t>(item.position)});
        }
    }
}

ReferenceSet ReferenceSet::Single(const TraFile& original, const TraFile* translated) {
    return ReferenceSet({{&original, translated, original.GetName()}});
}

TraEntry ReferenceSet::FindTranslated(std::uint32_t file, std::int32_t id) const {
    const TraFile* translated = files[file].translated;
    return translated != nullptr ? translated->Find(id) : TraEntry();
}

}  // namespace wordgleaner
