#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "store/tra_entry.h"
#include "store/tra_file.h"

namespace wordgleaner {

// One file of a reference set: the original-language tra file, its
// translated counterpart when there is one, and the name that comments and
// patch lines give it.
struct ReferenceFile {
    const TraFile* original = nullptr;
    const TraFile* translated = nullptr;  // null: matches in it have no translation
    std::string name;
    // Its path under its folder ('/' between the parts) or its file name,
    // whatever other files of the set are named; empty: as `name`. A mod
    // file of the same name is the file this one was the previous version of.
    std::string listedName = {};

    const std::string& PlaceName() const { return listedName.empty() ? name : listedName; }
};

// One searched reference text: the file it comes from, as an index into the
// set's files, and its position there (ReferenceSet::Entry reads it). Eight
// bytes, since a game's string table gives a million of them.
struct ReferenceRecord {
    std::uint32_t file = 0;
    std::uint32_t position = 0;
};

// The ordered reference files a run searches, the first with the highest
// priority. Searching the set is searching one file made of all its entries
// in set order (the files in order, each in file order), except that every
// entry remembers its file: a tie goes to the earlier file, and an id is
// only ever looked up in the file where it was found.
//
// Record k is the k-th entry that carries an id in set order, and pairs with
// record k of the reference index. The set borrows its files, which must
// outlive it unchanged.
class ReferenceSet {
public:
    ReferenceSet() = default;
    explicit ReferenceSet(std::vector<ReferenceFile> files);

    // A set of one file named as the original file, as a run with a single
    // reference pair always named it.
    static ReferenceSet Single(const TraFile& original, const TraFile* translated = nullptr);

    std::size_t FileCount() const { return files.size(); }
    const ReferenceFile& File(std::uint32_t file) const { return files[file]; }
    // The names by file index, for the messages that name several files.
    std::span<const std::string> Names() const { return names; }
    std::span<const ReferenceRecord> Records() const { return records; }
    TraEntry Entry(const ReferenceRecord& record) const {
        return files[record.file].original->GetAt(static_cast<int>(record.position));
    }

    // The first entry of `id` in the translated counterpart of `file`; no
    // entry when that file has no counterpart or the counterpart lacks the id.
    TraEntry FindTranslated(std::uint32_t file, std::int32_t id) const;

private:
    std::vector<ReferenceFile> files;
    std::vector<std::string> names;
    std::vector<ReferenceRecord> records;
};

}  // namespace wordgleaner
