#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/tra_entry.h"
#include "store/tra_entry_record.h"
#include "store/tra_error.h"
#include "store/tra_failure.h"
#include "store/tra_text_store.h"

namespace wordgleaner {

// An argument that may be absent ("none"), as opposed to present and empty.
using OptionalText = std::optional<std::string_view>;

// One tra file in memory: every entry in file order, layout entries (comment
// blocks and blank lines) included, so that saving reproduces the file's
// comments and blank lines at their places. The file's bytes are loaded once
// and the entries' texts are views into them, so a file costs little more
// than its size; an edit keeps its new texts beside them.
class TraFile {
public:
    TraFile() = default;
    virtual ~TraFile() = default;
    TraFile(const TraFile&) = delete;
    TraFile& operator=(const TraFile&) = delete;

    // Reads the file at `path`. On a syntax, read or memory fault the entries
    // read before the fault stay (the pending one included) and `name` is
    // emptied; on an open failure the list is empty and `name` is kept.
    virtual TraError Load(const std::string& path);

    // Reads the game's string table at `path` (see talk_table.h): entry i
    // becomes the entry of id i, with its text and sound; with a
    // `femaleTablePath` (dialogF.tlk beside dialog.tlk), entries whose text
    // or sound differs there get those as their female text and sound. After
    // any failure the list is empty, and `name` is emptied unless the table
    // itself could not be opened; a failure of the female table names it in
    // the last failure's `otherFile`. Saving writes a tra file.
    TraError LoadTalkTable(const std::string& path, const std::string& femaleTablePath = {});

    // A reference file: a talk table when it begins with the table's
    // signature, whatever its name, else a tra file (the female table path is
    // then not used).
    TraError LoadReference(const std::string& path, const std::string& femaleTablePath = {});

    // Writes every entry in the normalised layout, CR LF line ends, behind the
    // byte-order mark if the loaded file had one. The file is replaced only
    // once everything was written: a failure leaves what was there.
    virtual TraError Save(const std::string& path) const;

    // Position 0 .. GetSize() - 1, layout entries included; no entry outside.
    // The entry and its texts stay valid until the next Load or Clear.
    virtual TraEntry GetAt(int position) const;

    // The first entry with this id, or no entry.
    virtual TraEntry Find(std::int32_t id) const;

    // Edits the first entry with this id. Absent texts and sounds leave their
    // field alone; a sound longer than 8 bytes is refused with TraBadSound
    // while the texts still change.
    virtual TraError SetTexts(std::int32_t id, OptionalText maleText, OptionalText femaleText = {},
                              OptionalText maleSound = {}, OptionalText femaleSound = {});

    // Appends "// " + line for every line of `text` to the first entry with this id.
    virtual TraError AddComment(std::int32_t id, OptionalText text);

    // The same edits addressed by position, for files that hold an id twice.
    TraError SetTextsAt(int position, OptionalText maleText, OptionalText femaleText = {},
                        OptionalText maleSound = {}, OptionalText femaleSound = {});
    TraError AddCommentAt(int position, OptionalText text);

    // Position of the first entry with this id, or TraNoId.
    int IndexOf(std::int32_t id) const;
    int GetSize() const;
    int GetEntryCount() const;
    const std::string& GetName() const;
    void Clear();

    // What went wrong in the last Load or Save: the line of a syntax fault,
    // the system's reason of a failed open, read or write. Its code is TraOk
    // when that call succeeded.
    const TraFailure& GetLastFailure() const;

private:
    // Points the entry at `spans`; may throw std::bad_alloc, leaving it as it was.
    void Replace(int position, const TraFieldSpans& spans);
    void IndexIds();
    bool IdsAscendWithShortGaps() const;
    int FindInAscendingIds(std::int32_t id) const;
    int FindThroughIdIndex(std::int32_t id) const;
    int WalkToId(std::int32_t id) const;

    std::vector<TraEntryRecord> entries;
    TraTextStore texts;
    int entryCount = 0;
    std::string name;
    bool byteOrderMark = false;  // the loaded file began with one: its copy does too
    // A record of the last call rather than content, so Save, which leaves the
    // content alone, still updates it.
    mutable TraFailure lastFailure;
    // How IndexOf finds an id, so that a lookup in a game's string table is a
    // binary search, not a walk. Chosen by every load; edits never change an
    // id, so the choice stays right.
    enum class IdLookup : std::uint8_t {
        AscendingEntries,  // ids rise through the file: search the entries themselves
        IdIndex,           // search firstPositions
        Walk,              // the index did not fit in memory
    };
    // The position of the first entry of each id, sorted by id; 4 bytes an id.
    std::vector<std::uint32_t> firstPositions;
    IdLookup idLookup = IdLookup::AscendingEntries;
    int firstLayoutPosition = TraNoId;
};

}  // namespace wordgleaner
