#include "store/tra_parser.h"

#include <limits>

namespace wordgleaner {

namespace {

constexpr std::string_view LongDelimiter = "~~~~~";
constexpr std::string_view TildeDelimiter = "~";
constexpr std::string_view QuoteDelimiter = "\"";
constexpr std::string_view PercentDelimiter = "%";
constexpr std::string_view LineCommentMark = "//";
constexpr std::string_view BlockCommentOpen = "/*";
constexpr std::string_view BlockCommentClose = "*/";
// Every stored comment piece starts with this, whatever its form in the file.
constexpr std::string_view StoredCommentMark = "//";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

TraError TraParser::ParseLine(std::string_view text) {
    line = text;
    position = 0;
    if (linesSinceTextBegan >= 0) {
        ++linesSinceTextBegan;
    }
    ApplyLineStartRule();
    TraError status = TraOk;
    while (status == TraOk) {
        status = Step();
    }
    return status;
}

void TraParser::Finish() {
    CompletePending();
}

// Once the male text is closed, an entry goes on over the following lines until
// one of them starts (after blanks) with "@", a comment or nothing.
void TraParser::ApplyLineStartRule() {
    if (state != State::AfterMale && state != State::AfterMaleSound &&
        state != State::AfterFemale && state != State::AfterFemaleSound) {
        return;
    }
    SkipBlanks();
    if (At('@') || At('\n') || At(LineCommentMark) || At(BlockCommentOpen)) {
        CompletePending();
        state = State::LineStart;
    }
}

TraError TraParser::Step() {
    switch (state) {
        case State::LineStart:
            return OnLineStart();
        case State::TopLineComment:
            return OnTopLineComment();
        case State::TopBlockComment:
            return OnTopBlockComment();
        case State::IdValue:
            return OnIdValue();
        case State::EqualSign:
            return OnEqualSign();
        case State::MaleOpen:
            return OnMaleOpen();
        case State::MaleText:
            return OnText(TraField::MaleText, State::AfterMale);
        case State::AfterMale:
            return OnAfterText(TraField::MaleSound, TraField::MaleTextComment, State::AfterMale,
                               State::AfterMaleSound);
        case State::AfterMaleSound:
            return OnAfterMaleSound();
        case State::FemaleText:
            return OnText(TraField::FemaleText, State::AfterFemale);
        case State::AfterFemale:
            return OnAfterText(TraField::FemaleSound, TraField::FemaleTextComment,
                               State::AfterFemale, State::AfterFemaleSound);
        case State::AfterFemaleSound:
            return OnAfterFemaleSound();
        case State::InnerLineComment:
            return OnInnerLineComment();
        case State::InnerBlockComment:
            return OnInnerBlockComment();
        case State::Stopped:
            break;
    }
    return TraEndOfLine;
}

TraError TraParser::OnLineStart() {
    SkipBlanks();
    if (At('@')) {
        CompletePending();
        ++position;
        state = State::IdValue;
        return TraOk;
    }
    if (At('\n')) {
        CompletePending();
        StartEntry(TraNoId);
        CompletePending();
        return LineDone();
    }
    if (At(LineCommentMark)) {
        position += LineCommentMark.size();
        state = State::TopLineComment;
        return TraOk;
    }
    if (At(BlockCommentOpen)) {
        position += BlockCommentOpen.size();
        state = State::TopBlockComment;
        return TraOk;
    }
    return Stop(TraNoAtSign);
}

// Consecutive "//" lines stay in one layout entry until something else comes.
TraError TraParser::OnTopLineComment() {
    StartLayoutIfNone();
    AppendPiece(TraField::Comment, Rest());
    state = State::LineStart;
    return LineDone();
}

TraError TraParser::OnTopBlockComment() {
    StartLayoutIfNone();
    auto close = line.find(BlockCommentClose, position);
    if (close == std::string_view::npos) {
        AppendPiece(TraField::Comment, Rest());
        return LineDone();
    }
    AppendPiece(TraField::Comment, line.substr(position, close - position));
    CompletePending();
    position = close + BlockCommentClose.size();
    state = State::LineStart;
    return TraOk;
}

// A value that does not fit 32 bits, or equals the layout marker, would be read
// as some other id; it is refused.
TraError TraParser::OnIdValue() {
    bool negative = At('-');
    std::size_t digit = position + (negative ? 1 : 0);
    if (digit >= line.size() || !IsDigit(line[digit])) {
        return Stop(TraNoIdValue);
    }
    constexpr std::int64_t Largest = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; digit < line.size() && IsDigit(line[digit]); ++digit) {
        magnitude = std::min(magnitude * 10 + (line[digit] - '0'), Largest + 1);
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value >= TraNoId) {
        return Stop(TraIdOutOfRange);
    }
    id = static_cast<std::int32_t>(value);
    position = digit;
    state = State::EqualSign;
    return TraOk;
}

// Digits and blanks before "=" are stepped over: '@5 5 =' reads as id 5.
TraError TraParser::OnEqualSign() {
    while (position < line.size() && (IsDigit(line[position]) || IsBlank(line[position]))) {
        ++position;
    }
    if (!At('=')) {
        return Stop(TraNoEqualSign);
    }
    ++position;
    state = State::MaleOpen;
    return TraOk;
}

TraError TraParser::OnMaleOpen() {
    SkipBlanks();
    if (!TakeDelimiter()) {
        return Stop(TraNoSeparator);
    }
    StartEntry(id);
    state = State::MaleText;
    linesSinceTextBegan = 0;
    return TraOk;
}

// A text runs to its closing delimiter, over as many lines as it takes.
TraError TraParser::OnText(Field text, State next) {
    // A one-byte delimiter is searched as a byte: the general search would
    // also compare the empty rest after every hit.
    auto close = delimiter.size() == 1 ? line.find(delimiter.front(), position)
                                       : line.find(delimiter, position);
    if (close == std::string_view::npos) {
        Append(text, Rest());
        return LineDone();
    }
    Append(text, line.substr(position, close - position));
    position = close + delimiter.size();
    state = next;
    return TraOk;
}

TraError TraParser::OnAfterText(Field sound, Field comment, State self, State next) {
    SkipBlanks();
    if (At('[')) {
        return TakeSound(sound, next);
    }
    if (At('\n')) {
        return LineDone();
    }
    if (TakeComment(comment, self)) {
        return TraOk;
    }
    state = next;
    return TraOk;
}

TraError TraParser::OnAfterMaleSound() {
    SkipBlanks();
    if (TakeDelimiter()) {
        state = State::FemaleText;
        linesSinceTextBegan = 0;
        return TraOk;
    }
    if (At('\n')) {
        return LineDone();
    }
    if (TakeComment(TraField::MaleSoundComment, State::AfterMaleSound)) {
        return TraOk;
    }
    return Stop(TraNoSeparator);
}

TraError TraParser::OnAfterFemaleSound() {
    SkipBlanks();
    if (At('\n')) {
        return LineDone();
    }
    if (TakeComment(TraField::FemaleSoundComment, State::AfterFemaleSound)) {
        return TraOk;
    }
    return Stop(TraTooManyStrings);
}

TraError TraParser::OnInnerLineComment() {
    AppendPiece(commentTarget, Rest());
    state = commentReturn;
    return LineDone();
}

TraError TraParser::OnInnerBlockComment() {
    auto close = line.find(BlockCommentClose, position);
    if (close == std::string_view::npos) {
        AppendPiece(commentTarget, Rest());
        return LineDone();
    }
    AppendPiece(commentTarget, line.substr(position, close - position));
    position = close + BlockCommentClose.size();
    state = commentReturn;
    return TraOk;
}

bool TraParser::TakeDelimiter() {
    if (At(LongDelimiter)) {
        delimiter = LongDelimiter;
    } else if (At('~')) {
        delimiter = TildeDelimiter;
    } else if (At('"')) {
        delimiter = QuoteDelimiter;
    } else if (At('%')) {
        delimiter = PercentDelimiter;
    } else {
        return false;
    }
    position += delimiter.size();
    return true;
}

bool TraParser::TakeComment(Field target, State returnTo) {
    State next;
    if (At(LineCommentMark)) {
        next = State::InnerLineComment;
    } else if (At(BlockCommentOpen)) {
        next = State::InnerBlockComment;
    } else {
        return false;
    }
    position += LineCommentMark.size();
    commentTarget = target;
    commentReturn = returnTo;
    state = next;
    return true;
}

TraError TraParser::TakeSound(Field sound, State next) {
    auto close = line.find(']', position + 1);
    if (close == std::string_view::npos) {
        return Stop(TraNoSoundEnd);
    }
    Assign(sound, line.substr(position + 1, close - position - 1));
    position = close + 1;
    state = next;
    return TraOk;
}

void TraParser::SkipBlanks() {
    while (position < line.size() && IsBlank(line[position])) {
        ++position;
    }
}

bool TraParser::At(char c) const {
    return position < line.size() && line[position] == c;
}

// Compared byte by byte: the marks are one to five bytes, and a library
// compare would cost a call per mark tried, several per entry.
bool TraParser::At(std::string_view text) const {
    if (line.size() - position < text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (line[position + i] != text[i]) {
            return false;
        }
    }
    return true;
}

TraError TraParser::LineDone() {
    position = line.size();
    return TraEndOfLine;
}

TraError TraParser::Stop(TraError fault) {
    state = State::Stopped;
    return fault;
}

void TraParser::StartEntry(std::int32_t entryId) {
    pending.id = entryId;
    for (PendingField& field : pending.fields) {
        field.offset = 0;
        field.length = 0;
        field.pieced = false;
        field.pieces.clear();
    }
    hasPending = true;
}

void TraParser::StartLayoutIfNone() {
    if (!hasPending) {
        StartEntry(TraNoId);
    }
}

// Pieces that follow each other in the bytes stay one range of them.
void TraParser::Append(Field target, std::string_view piece) {
    PendingField& field = FieldOf(target);
    if (!field.pieced) {
        const auto offset = static_cast<std::size_t>(piece.data() - store.Base());
        if (field.length == 0) {
            field.offset = offset;
            field.length = piece.size();
            return;
        }
        if (field.offset + field.length == offset) {
            field.length += piece.size();
            return;
        }
        field.pieces.assign(store.Base() + field.offset, field.length);
        field.pieced = true;
    }
    field.pieces.append(piece);
}

// A "//" comment is stored as it stands in the bytes, mark included; a piece
// of a "/*" comment gets the mark in front and so a string of its own.
void TraParser::AppendPiece(Field target, std::string_view piece) {
    const auto offset = static_cast<std::size_t>(piece.data() - store.Base());
    const std::size_t markSize = StoredCommentMark.size();
    if (offset >= markSize &&
        std::string_view(piece.data() - markSize, markSize) == StoredCommentMark) {
        Append(target, std::string_view(piece.data() - markSize, piece.size() + markSize));
        return;
    }
    PendingField& field = FieldOf(target);
    if (!field.pieced) {
        field.pieces.assign(store.Base() + field.offset, field.length);
        field.pieced = true;
    }
    field.pieces += StoredCommentMark;
    field.pieces += piece;
}

void TraParser::Assign(Field target, std::string_view text) {
    FieldOf(target) = PendingField();
    Append(target, text);
}

TextSpan TraParser::SpanOf(const PendingField& field) {
    if (field.pieced) {
        return store.Keep(field.pieces);
    }
    return field.length == 0 ? TextSpan() : TraTextStore::InBytes(field.offset, field.length);
}

void TraParser::CompletePending() {
    linesSinceTextBegan = NoText;
    if (!hasPending) {
        return;
    }
    hasPending = false;
    TraFieldSpans spans;
    for (std::size_t field = 0; field < TraFieldCount; ++field) {
        spans[field] = SpanOf(pending.fields[field]);
    }
    entries.push_back({pending.id, spans[0], store.AddExtras(spans)});
}

}  // namespace wordgleaner
