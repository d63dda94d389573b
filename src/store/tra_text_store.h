#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace wordgleaner {

// The ten texts of an entry. The male text lives in the entry itself; the
// others, empty in most entries, only in a run kept beside the entries.
enum class TraField : std::uint8_t {
    MaleText,
    FemaleText,
    MaleSound,
    FemaleSound,
    Comment,
    MaleTextComment,
    MaleSoundComment,
    FemaleTextComment,
    FemaleSoundComment,
};
inline constexpr std::size_t TraFieldCount = 9;
inline constexpr std::size_t TraExtraFieldCount = TraFieldCount - 1;

// Where one text is: a range of the loaded bytes, or one kept string. Eight
// bytes rather than a sixteen-byte view, since a million entries carry one
// each; the top bit of `length` tells the two places apart.
struct TextSpan {
    std::uint32_t offset = 0;  // into the loaded bytes, or the number of a kept string
    std::uint32_t length = 0;
};

using TraFieldSpans = std::array<TextSpan, TraFieldCount>;

// No run of extra fields: every field but the male text is empty.
inline constexpr std::uint32_t TraNoExtras = 0xFFFFFFFF;

// The bytes behind the entries of one file: the file as loaded (in text mode),
// the texts that are not a range of it (edits, and comments the reader had to
// piece together), and the runs of extra fields. Entries hold spans into it,
// so a text costs no allocation of its own. Kept strings never move once
// made, so the views handed out stay valid through later edits.
class TraTextStore {
public:
    std::string& Bytes() { return bytes; }
    const char* Base() const { return bytes.data(); }

    std::string_view Text(TextSpan span) const;

    // A range of the loaded bytes; std::bad_alloc when it is too long for a span.
    static TextSpan InBytes(std::size_t offset, std::size_t length);

    // Copies `text` into a kept string; may throw std::bad_alloc.
    TextSpan Keep(std::string_view text);

    // Stores the non-empty ones of `fields` (the male text is not looked at)
    // and returns the start of their run, or TraNoExtras when all are empty.
    std::uint32_t AddExtras(const TraFieldSpans& fields);

    // One field of the run that starts at `extras`; `field` is not the male text.
    TextSpan Extra(std::uint32_t extras, TraField field) const;

    void Clear();

private:
    std::string bytes;
    std::deque<std::string> kept;
    // Each run: a head whose offset holds the bit mask of the fields present,
    // then the span of each present field in field order.
    std::vector<TextSpan> extraRuns;
};

}  // namespace wordgleaner
