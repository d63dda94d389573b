#pragma once

#include <span>
#include <string>
#include <string_view>

#include "review/text_encoding.h"
#include "review/word_diff.h"

namespace wordgleaner {

// Appends UTF-8 text with &, <, >, " and ' escaped, so that it is safe both
// as element content and inside a quoted attribute value, and each CR LF as
// LF, which the file writer writes as CR LF.
void AppendEscaped(std::string& out, std::string_view utf8);

// Appends a text of a tra file, decoded to UTF-8 and escaped.
void AppendText(std::string& out, std::string_view bytes, CodePageDecoder& decoder);

// The same with the spans of a word diff marked: <ins> for inserted words,
// <del> for deleted ones, <mark> for changed ones.
void AppendMarkedText(std::string& out, std::string_view bytes, std::span<const DiffSpan> spans,
                      CodePageDecoder& decoder);

}  // namespace wordgleaner
