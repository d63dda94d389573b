#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/tra_entry.h"
#include "store/tra_error.h"

namespace wordgleaner {

// The state machine that turns the lines of a tra file into entries. Lines are
// fed one at a time, each ending with LF; completed entries are appended to the
// list given at construction, so whatever was read before a fault stays there.
class TraParser {
public:
    explicit TraParser(std::vector<std::unique_ptr<TraEntry>>& entries) : entries(entries) {}

    // TraEndOfLine when the whole line was consumed, otherwise the fault code.
    TraError ParseLine(std::string_view line);

    // Completes the entry that is still pending at the end of the file, if any.
    void Finish();

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
    using Field = std::string TraEntry::*;

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

    void StartLayoutIfNone();
    void CompletePending();

    std::vector<std::unique_ptr<TraEntry>>& entries;
    std::unique_ptr<TraEntry> pending;
    State state = State::LineStart;
    std::string_view line;
    std::size_t position = 0;
    std::int32_t id = 0;
    std::string_view delimiter;
    Field commentTarget = nullptr;
    State commentReturn = State::LineStart;
};

}  // namespace wordgleaner
