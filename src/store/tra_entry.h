#pragma once

#include <cstdint>
#include <string_view>

#include "store/tra_entry_record.h"
#include "store/tra_text_store.h"

namespace wordgleaner {

// One entry of a tra file, as TraFile::GetAt and TraFile::Find hand it out: a
// small view to pass by value, or no entry at all (false, like a null
// pointer; it reads as an empty layout entry). All texts are 8-bit text
// exactly as read; the comment fields hold pieces that each start with "//".
// The view and its texts stay valid while the file keeps its content (until
// the next Load or Clear), and it reads the file's edits made after it was
// taken.
class TraEntry {
public:
    TraEntry() = default;

    explicit operator bool() const { return record != nullptr; }

    std::int32_t Id() const { return record != nullptr ? record->id : TraNoId; }
    bool IsLayout() const { return Id() == TraNoId; }

    std::string_view Text(TraField field) const;
    std::string_view MaleText() const { return Text(TraField::MaleText); }
    std::string_view FemaleText() const { return Text(TraField::FemaleText); }
    std::string_view MaleSound() const { return Text(TraField::MaleSound); }
    std::string_view FemaleSound() const { return Text(TraField::FemaleSound); }
    std::string_view Comment() const { return Text(TraField::Comment); }
    std::string_view MaleTextComment() const { return Text(TraField::MaleTextComment); }
    std::string_view MaleSoundComment() const { return Text(TraField::MaleSoundComment); }
    std::string_view FemaleTextComment() const { return Text(TraField::FemaleTextComment); }
    std::string_view FemaleSoundComment() const { return Text(TraField::FemaleSoundComment); }

    // Both views show the same entry of the same file (or both show none).
    friend bool operator==(const TraEntry&, const TraEntry&) = default;

private:
    friend class TraFile;

    TraEntry(const TraEntryRecord& record, const TraTextStore& store)
        : record(&record), store(&store) {}

    TraFieldSpans Spans() const;

    const TraEntryRecord* record = nullptr;
    const TraTextStore* store = nullptr;
};

inline std::string_view TraEntry::Text(TraField field) const {
    if (record == nullptr) {
        return {};
    }
    return store->Text(field == TraField::MaleText ? record->maleText
                                                   : store->Extra(record->extras, field));
}

inline TraFieldSpans TraEntry::Spans() const {
    TraFieldSpans spans{};
    if (record != nullptr) {
        spans[0] = record->maleText;
        for (std::size_t field = 1; field < TraFieldCount; ++field) {
            spans[field] = store->Extra(record->extras, static_cast<TraField>(field));
        }
    }
    return spans;
}

}  // namespace wordgleaner
