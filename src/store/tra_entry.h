#pragma once

#include <cstdint>
#include <string_view>

#include "store/tra_text_store.h"

namespace wordgleaner {

// Id of a layout entry: a comment block or a blank line between entries.
inline constexpr std::int32_t TraNoId = 2147483647;

// One record of a tra file. All texts are 8-bit text exactly as read; the
// comment fields hold pieces that each start with "//". The texts are views
// into the store of the file the entry belongs to: they stay valid while the
// file keeps its content (until the next Load or Clear), edits included.
class TraEntry {
    // First, so that it and the id fill one 16-byte slot.
    const TraTextStore* store = nullptr;

public:
    TraEntry() = default;

    std::int32_t id = TraNoId;

    bool IsLayout() const { return id == TraNoId; }

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

private:
    friend class TraFile;
    friend class TraParser;

    TraEntry(std::int32_t id, const TraTextStore& store, TextSpan maleText, std::uint32_t extras)
        : store(&store), id(id), maleText(maleText), extras(extras) {}

    TraFieldSpans Spans() const;

    TextSpan maleText;
    std::uint32_t extras = TraNoExtras;
};

// 24 bytes: a file of short entries costs about its own size again.
static_assert(sizeof(TraEntry) <= 24);

inline std::string_view TraEntry::Text(TraField field) const {
    if (store == nullptr) {
        return {};
    }
    return store->Text(field == TraField::MaleText ? maleText : store->Extra(extras, field));
}

inline TraFieldSpans TraEntry::Spans() const {
    TraFieldSpans spans{};
    spans[0] = maleText;
    if (store != nullptr) {
        for (std::size_t field = 1; field < TraFieldCount; ++field) {
            spans[field] = store->Extra(extras, static_cast<TraField>(field));
        }
    }
    return spans;
}

}  // namespace wordgleaner
