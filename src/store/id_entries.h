#pragma once

#include <cstddef>
#include <iterator>

#include "store/tra_entry.h"
#include "store/tra_file.h"

namespace wordgleaner {

// One entry that carries an id, with the two places it has.
struct IdEntry {
    TraEntry entry;
    int position = 0;         // in the file, layout entries counted: for GetAt and the *At edits
    std::size_t ordinal = 0;  // among the entries with an id: its record in a reference index
};

// The entries of a file that carry an id, in file order, for a range-for.
// The layout entries (comment blocks and blank lines) are passed over; the
// walk goes by TraFile::GetAt up to the first position that holds no entry.
// The file must outlive the walk and keep its entries in place during it.
class IdEntries {
public:
    explicit IdEntries(const TraFile& file) : file(file) {}

    class Iterator {
    public:
        using value_type = IdEntry;
        using difference_type = std::ptrdiff_t;

        explicit Iterator(const TraFile& file) : file(&file) { SkipLayout(); }

        IdEntry operator*() const { return {entry, position, ordinal}; }
        Iterator& operator++() {
            ++position;
            ++ordinal;
            SkipLayout();
            return *this;
        }
        void operator++(int) { ++*this; }
        bool operator==(std::default_sentinel_t) const { return !entry; }

    private:
        void SkipLayout() {
            entry = file->GetAt(position);
            while (entry && entry.IsLayout()) {
                entry = file->GetAt(++position);
            }
        }

        const TraFile* file;
        TraEntry entry;
        int position = 0;
        std::size_t ordinal = 0;
    };

    Iterator begin() const { return Iterator(file); }
    std::default_sentinel_t end() const { return std::default_sentinel; }

private:
    const TraFile& file;
};

}  // namespace wordgleaner
