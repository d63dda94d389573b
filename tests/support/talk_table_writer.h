#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wordgleaner {

namespace test_support {

// Writes game string tables (talk tables, version 1) for tests and
// benchmarks, and tells where their fields are so that a test can damage one.

inline constexpr std::size_t TalkTableHeaderSize = 18;
inline constexpr std::size_t TalkTableRecordSize = 26;
inline constexpr std::size_t CountFieldAt = 10;       // in the header
inline constexpr std::size_t TextDataFieldAt = 14;    // in the header
inline constexpr std::size_t TextOffsetFieldAt = 18;  // in a record
inline constexpr std::size_t TextLengthFieldAt = 22;  // in a record
inline constexpr std::uint16_t HasTextFlag = 0x1;
inline constexpr std::uint16_t HasSoundFlag = 0x2;

inline constexpr std::size_t RecordAt(std::size_t entry) {
    return TalkTableHeaderSize + TalkTableRecordSize * entry;
}

struct TalkTableEntry {
    std::string text;
    std::string sound;  // NUL-padded to 8 bytes; a longer name is cut
    // Bit 0 with a text and bit 1 with a sound, unless given.
    std::optional<std::uint16_t> flags;
};

struct TalkTableLayout {
    bool textsInReverseOrder = false;  // the last entry's text comes first in the text data
    bool shareEqualTexts = false;      // equal texts are written once, for every entry of them
    std::uint32_t gapBeforeTexts = 0;  // bytes between the records and the text data
};

inline void PutLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value,
                            std::size_t size = 4) {
    for (std::size_t i = 0; i < size; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

inline std::string TalkTableBytes(const std::vector<TalkTableEntry>& entries,
                                  const TalkTableLayout& layout = {}) {
    std::string bytes(RecordAt(entries.size()) + layout.gapBeforeTexts, '\0');
    bytes.replace(0, 8, "TLK V1  ");
    PutLittleEndian(bytes, CountFieldAt, static_cast<std::uint32_t>(entries.size()));
    PutLittleEndian(bytes, TextDataFieldAt, static_cast<std::uint32_t>(bytes.size()));
    std::string textData;
    std::map<std::string, std::size_t> written;
    auto placeText = [&](std::size_t entry) {
        const std::string& text = entries[entry].text;
        auto earlier = written.find(text);
        std::size_t offset = textData.size();
        if (layout.shareEqualTexts && earlier != written.end()) {
            offset = earlier->second;
        } else {
            written.emplace(text, offset);
            textData += text;
        }
        PutLittleEndian(bytes, RecordAt(entry) + TextOffsetFieldAt,
                        static_cast<std::uint32_t>(offset));
        PutLittleEndian(bytes, RecordAt(entry) + TextLengthFieldAt,
                        static_cast<std::uint32_t>(text.size()));
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TalkTableEntry& entry = entries[i];
        const std::uint16_t flags = entry.flags.value_or((entry.text.empty() ? 0 : HasTextFlag) |
                                                         (entry.sound.empty() ? 0 : HasSoundFlag));
        PutLittleEndian(bytes, RecordAt(i), flags, 2);
        bytes.replace(RecordAt(i) + 2, std::min<std::size_t>(entry.sound.size(), 8),
                      entry.sound.substr(0, 8));
        placeText(layout.textsInReverseOrder ? entries.size() - 1 - i : i);
    }
    return bytes + textData;
}

}  // namespace test_support

}  // namespace wordgleaner
