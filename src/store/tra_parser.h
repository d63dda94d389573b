#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/tra_entry_record.h"
#include "store/tra_error.h"

namespace wordgleaner {

// The state machine that turns the lines of a tra file into entries. Lines are
// fed one at a time, each ending with LF and each a view into the store's
// bytes; completed entries are appended to the list given at construction, so
// whatever was read before a fault stays there. A field that is one range of
// the bytes becomes a span of them; only one that is not (a "/*" comment, which
// is stored as "//" pieces) gets a string of its own.
class TraParser {
public:
    TraParser(std::vector<TraEntryRecord>& entries, TraTextStore& store)
        : entries(entries), store(store) {}

    // TraEndOfLine when the whole line was consumed, otherwise the fault code.
    // May throw std::bad_alloc.
    TraError ParseLine(std::string_view line);

    // Completes the entry that is still pending at the end of the file, if any.
    void Finish();

    // How many lines before the current one the last text of the entry being
    // read began; 0 when it began on this line or there is none. A fault
    // after a text that ran over several lines is told at the line where the
    // text began: an unclosed delimiter there is the likely cause, the line
    // where the reader stopped only where it noticed.
    int LinesSinceTextBegan() const { return linesSinceTextBegan > 0 ? linesSinceTextBegan : 0; }

private:
    enum class State {
        LineStart,
        TopLineComment,
        TopBlockComment,
        IdValue,
        EqualSign,
        MaleOpen,
        MaleText,
        AfterMale,
        AfterMaleSound,
        FemaleText,
        AfterFemale,
        AfterFemaleSound,
        InnerLineComment,
        InnerBlockComment,
        Stopped,
    };
    using Field = TraField;

    // A field being read: a range of the bytes until a piece does not follow
    // the range, then a string of its own.
    struct PendingField {
        std::size_t offset = 0;
        std::size_t length = 0;
        bool pieced = false;
        std::string pieces;
    };
    struct PendingEntry {
        std::int32_t id = TraNoId;
        std::array<PendingField, TraFieldCount> fields;
    };

    void ApplyLineStartRule();
    TraError Step();

    TraError OnLineStart();
    TraError OnTopLineComment();
    TraError OnTopBlockComment();
    TraError OnIdValue();
    TraError OnEqualSign();
    TraError OnMaleOpen();
    TraError OnText(Field text, State next);
    TraError OnAfterText(Field sound, Field comment, State self, State next);
    TraError OnAfterMaleSound();
    TraError OnAfterFemaleSound();
    TraError OnInnerLineComment();
    TraError OnInnerBlockComment();

    bool TakeDelimiter();
    bool TakeComment(Field target, State returnTo);
    TraError TakeSound(Field sound, State next);

    void SkipBlanks();
    bool At(char c) const;
    bool At(std::string_view text) const;
    std::string_view Rest() const { return line.substr(position); }
    TraError LineDone();
    TraError Stop(TraError fault);

    PendingField& FieldOf(Field field) { return pending.fields[static_cast<std::size_t>(field)]; }
    void Append(Field field, std::string_view piece);
    void AppendPiece(Field field, std::string_view piece);
    void Assign(Field field, std::string_view text);

    void StartEntry(std::int32_t entryId);
    void StartLayoutIfNone();
    void CompletePending();
    TextSpan SpanOf(const PendingField& field);

    std::vector<TraEntryRecord>& entries;
    TraTextStore& store;
    PendingEntry pending;
    bool hasPending = false;
    State state = State::LineStart;
    std::string_view line;
    std::size_t position = 0;
    std::int32_t id = 0;
    std::string_view delimiter;
    Field commentTarget = TraField::Comment;
    State commentReturn = State::LineStart;
    static constexpr int NoText = -1;
    int linesSinceTextBegan = NoText;
};

}  // namespace wordgleaner
