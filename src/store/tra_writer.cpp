#include "store/text_file.h"
#include "store/tra_file.h"

#include <charconv>
#include <new>
#include <optional>

namespace wordgleaner {

namespace {

constexpr std::size_t IdFieldWidth = 6;
constexpr std::size_t FlushThreshold = 64 * 1024;
constexpr std::string_view StoredCommentMark = "//";
constexpr std::string_view BlockCommentOpen = "/*";
constexpr std::string_view BlockCommentClose = "*/";

// The first delimiter that cannot end the text early:
//   Hello            ->  ~Hello~
//   say ~hi~         ->  "say ~hi~"
//   say ~"hi"~       ->  %say ~"hi"~%
//   ~"50%"~ off      ->  ~~~~~~"50%"~ off~~~~~
std::string_view DelimiterFor(std::string_view text) {
    if (text.find('~') == std::string_view::npos) {
        return "~";
    }
    if (text.find('"') == std::string_view::npos) {
        return "\"";
    }
    if (text.find('%') == std::string_view::npos) {
        return "%";
    }
    return "~~~~~";
}

std::optional<std::string> AsBlockComment(std::string_view comment);

// Writes one entry in the normalised layout. `closed` tells whether the output
// line already ended with a comment; a part after it starts a new line with a
// blank in front, which the reader joins to the same entry again.
// A text of FlushThreshold bytes or more goes to the file writer straight
// from the loaded bytes, after what `out` holds before it, instead of being
// copied into `out`: a file of one huge text would be held twice.
class EntryWriter {
public:
    EntryWriter(std::string& out, TextFileWriter& file) : out(out), file(file) {}

    void Write(const TraEntry& entry) {
        WriteIdField(entry.Id());
        WriteText(entry.MaleText(), "");
        WriteInnerComment(entry.MaleTextComment());
        // An empty part is still written when something of its own follows it,
        // otherwise the reader would give that to the part before it.
        if (!entry.MaleSound().empty() || !entry.MaleSoundComment().empty()) {
            WriteSound(entry.MaleSound());
        }
        WriteInnerComment(entry.MaleSoundComment());
        bool hasFemaleSound = !entry.FemaleSound().empty() || !entry.FemaleSoundComment().empty();
        if (!entry.FemaleText().empty() || !entry.FemaleTextComment().empty() || hasFemaleSound) {
            WriteText(entry.FemaleText(), " ");
        }
        WriteInnerComment(entry.FemaleTextComment());
        if (hasFemaleSound) {
            WriteSound(entry.FemaleSound());
        }
        WriteInnerComment(entry.FemaleSoundComment());
        if (!closed) {
            out += '\n';
        }
    }

private:
    void WriteIdField(std::int32_t id) {
        char digits[16];
        auto result = std::to_chars(std::begin(digits), std::end(digits), id);
        std::size_t length = static_cast<std::size_t>(result.ptr - digits);
        out += '@';
        out.append(digits, length);
        if (length < IdFieldWidth) {
            out.append(IdFieldWidth - length, ' ');
        }
        out += "= ";
    }

    void WriteText(std::string_view text, std::string_view separator) {
        StartPart(separator);
        auto delimiter = DelimiterFor(text);
        out += delimiter;
        if (text.size() >= FlushThreshold) {
            file.Write(out);
            out.clear();
            file.Write(text);
        } else {
            out += text;
        }
        out += delimiter;
    }

    void WriteSound(std::string_view sound) {
        StartPart(" ");
        out += '[';
        out += sound;
        out += ']';
    }

    void StartPart(std::string_view separator) {
        out += separator;
        closed = false;
    }

    void WriteInnerComment(std::string_view comment) {
        if (comment.empty()) {
            return;
        }
        out += ' ';
        if (auto block = AsBlockComment(comment)) {
            out += *block;
        } else {
            out += comment;
        }
        if (out.back() != '\n') {
            out += '\n';
        }
        closed = true;
    }

    std::string& out;
    TextFileWriter& file;
    bool closed = false;
};

// Appends stored comment text to the inside of a "/*" comment. A "*/" in it can
// only be where a comment closed right after a '*' and the next one began
// ("/* a **/ /* b" is stored "// a *// b"); it is written as "**//*", which
// closes one comment and opens the next. False if some other "*/" is in it.
bool AppendBlockContent(std::string& out, std::string_view content) {
    std::size_t from = 0;
    for (auto close = content.find(BlockCommentClose); close != std::string_view::npos;
         close = content.find(BlockCommentClose, from)) {
        if (content.compare(close + 1, StoredCommentMark.size(), StoredCommentMark) != 0) {
            return false;
        }
        out.append(content.substr(from, close + 1 - from));
        out += BlockCommentClose;
        out += BlockCommentOpen;
        from = close + 1 + StoredCommentMark.size();
    }
    out.append(content.substr(from));
    return true;
}

// A comment that spans lines inside an entry came from a "/*" comment; its
// later lines start with "//", which would end the entry if they were written as
// stored. It goes back into a "/*" comment instead, and a line comment that
// ended its last line follows the "*/":
//   "// a\n//b "         ->  "/* a\nb */"
//   "// a\n//b // c\n"   ->  "/* a\nb */// c\n"
// None when the comment is a single line or cannot be put between "/*" and "*/".
std::optional<std::string> AsBlockComment(std::string_view comment) {
    constexpr std::size_t MarkSize = StoredCommentMark.size();
    if (comment.size() <= MarkSize) {
        return std::nullopt;
    }
    auto lastLineStart = comment.rfind('\n', comment.size() - 2);
    if (lastLineStart == std::string_view::npos) {
        return std::nullopt;
    }
    std::string block(BlockCommentOpen);
    std::string_view rest = comment.substr(0, lastLineStart + 1);
    while (!rest.empty()) {
        auto length = rest.find('\n') + 1;
        if (!rest.starts_with(StoredCommentMark) ||
            !AppendBlockContent(block, rest.substr(MarkSize, length - MarkSize - 1))) {
            return std::nullopt;
        }
        block += '\n';
        rest.remove_prefix(length);
    }
    std::string_view lastLine = comment.substr(lastLineStart + 1);
    if (!lastLine.starts_with(StoredCommentMark)) {
        return std::nullopt;
    }
    std::string_view content = lastLine.substr(MarkSize);
    if (content.ends_with('\n')) {
        content.remove_suffix(1);
        // The comment closed on this line and a line comment followed.
        for (auto split = content.find(StoredCommentMark); split != std::string_view::npos;
             split = content.find(StoredCommentMark, split + 1)) {
            std::string closed = block;
            if (AppendBlockContent(closed, content.substr(0, split))) {
                closed += BlockCommentClose;
                closed += content.substr(split);
                closed += '\n';
                return closed;
            }
        }
        // Left open at the end of the file: closing it costs only the line end.
    }
    if (!AppendBlockContent(block, content)) {
        return std::nullopt;
    }
    block += BlockCommentClose;
    return block;
}

void WriteEntry(std::string& out, TextFileWriter& file, const TraEntry& entry) {
    if (!entry.Comment().empty()) {
        out += entry.Comment();
        if (entry.Comment().back() != '\n') {
            out += '\n';
        }
    }
    if (entry.IsLayout()) {
        if (entry.Comment().empty()) {
            out += '\n';
        }
        return;
    }
    EntryWriter(out, file).Write(entry);
}

}  // namespace

TraError TraFile::Save(const std::string& path) const {
    try {
        TextFileWriter writer;
        if (writer.Open(path) != TraOk) {
            lastFailure = writer.LastFailure();
            return TraOpenFailed;
        }
        std::string chunk;
        if (byteOrderMark) {
            chunk = Utf8ByteOrderMark;
        }
        for (const TraEntryRecord& entry : entries) {
            WriteEntry(chunk, writer, TraEntry(entry, texts));
            if (chunk.size() >= FlushThreshold) {
                writer.Write(chunk);
                chunk.clear();
            }
        }
        writer.Write(chunk);
        TraError result = writer.Commit();
        lastFailure = writer.LastFailure();
        return result;
    } catch (const std::bad_alloc&) {
        lastFailure = TraFailure(TraNoMemory);
        return TraNoMemory;
    }
}

}  // namespace wordgleaner
