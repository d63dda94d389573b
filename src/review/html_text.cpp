#include "review/html_text.h"

namespace wordgleaner {

namespace {

std::string_view OpeningTag(DiffKind kind) {
    switch (kind) {
        case DiffKind::Inserted:
            return "<ins>";
        case DiffKind::Deleted:
            return "<del>";
        case DiffKind::Changed:
            return "<mark>";
        case DiffKind::Equal:
            break;
    }
    return "";
}

std::string_view ClosingTag(DiffKind kind) {
    switch (kind) {
        case DiffKind::Inserted:
            return "</ins>";
        case DiffKind::Deleted:
            return "</del>";
        case DiffKind::Changed:
            return "</mark>";
        case DiffKind::Equal:
            break;
    }
    return "";
}

// Some delimiters of the word split (0x85, 0x91 to 0x97) are continuation
// bytes in UTF-8, so in a UTF-8 text a span may start inside a character.
// Each border moves back to the start of its character; the spans still
// cover the text, and no tag lands inside a character.
std::size_t CharacterStart(std::string_view utf8, std::size_t position) {
    while (position > 0 && position < utf8.size() &&
           (static_cast<unsigned char>(utf8[position]) & 0xC0) == 0x80) {
        --position;
    }
    return position;
}

}  // namespace

// The file writer turns every LF into CR LF: the CR of a text's own CR LF
// is left out, or the page would hold CR CR LF, two line breaks to a
// browser, and a decision saved from it would not match the mod text.
void AppendEscaped(std::string& out, std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        const char character = utf8[at];
        if (character == '\r' && at + 1 < utf8.size() && utf8[at + 1] == '\n') {
            continue;
        }
        switch (character) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += character;
        }
    }
}

void AppendText(std::string& out, std::string_view bytes, CodePageDecoder& decoder) {
    AppendEscaped(out, decoder.ToUtf8(bytes));
}

// A text that is not UTF-8 as a whole is decoded piece by piece from its
// code page: a piece of it may look like UTF-8 by chance.
void AppendMarkedText(std::string& out, std::string_view bytes, std::span<const DiffSpan> spans,
                      CodePageDecoder& decoder) {
    const bool utf8 = IsValidUtf8(bytes);
    for (const DiffSpan& span : spans) {
        std::size_t begin = span.begin;
        std::size_t end = span.end;
        if (utf8) {
            begin = CharacterStart(bytes, begin);
            end = CharacterStart(bytes, end);
        }
        if (begin >= end) {
            continue;
        }
        const std::string_view piece = bytes.substr(begin, end - begin);
        out += OpeningTag(span.kind);
        if (utf8) {
            AppendEscaped(out, piece);
        } else {
            AppendEscaped(out, decoder.Decode(piece));
        }
        out += ClosingTag(span.kind);
    }
}

}  // namespace wordgleaner
