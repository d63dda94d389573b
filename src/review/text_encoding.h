#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace wordgleaner {

// Tra files are 8-bit text, in a Windows code page or in UTF-8, and say
// nothing of which. These turn their texts into UTF-8 for display only; the
// tra files themselves are never re-encoded.

inline constexpr int DefaultCodePage = 1252;

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Whether texts can be decoded from Windows code page `codePage` here (the
// platform's converter knows it), for checking the option before a run.
bool IsSupportedCodePage(int codePage);

// Decodes texts of one code page into UTF-8, with one converter kept open
// for all of them: opening one costs far more than converting a short text.
class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    bool IsSupported() const;

    // Valid UTF-8 as it is, anything else decoded from the code page.
    std::string ToUtf8(std::string_view bytes);

    // Always from the code page, for the pieces of a text already known not
    // to be UTF-8 (a piece of it may happen to be). Bytes the code page does
    // not define become U+FFFD, and so does every byte above 0x7F when the
    // code page is not supported; it never fails.
    std::string Decode(std::string_view bytes);

private:
    class Converter;
    std::unique_ptr<Converter> converter;
};

// One text; for many, keep a CodePageDecoder.
std::string ToUtf8(std::string_view bytes, int codePage);

}  // namespace wordgleaner
