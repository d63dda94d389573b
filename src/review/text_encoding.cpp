#include "review/text_encoding.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <iconv.h>

#include <array>
#include <cerrno>
#endif

namespace wordgleaner {

namespace {

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence starting at `text[0]`, or 0 when it is
// not a valid one. The second byte's range excludes the overlong forms, the
// surrogates (after 0xED) and the values above U+10FFFF (after 0xF4).
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[1]);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[i]))) {
            return 0;
        }
    }
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t length = Utf8SequenceLength(bytes);
        if (length == 0) {
            return false;
        }
        bytes.remove_prefix(length);
    }
    return true;
}

#ifdef _WIN32

// The platform's own tables, through UTF-16.
class CodePageDecoder::Converter {
public:
    explicit Converter(int codePage)
        : codePage(static_cast<UINT>(codePage)),
          known(codePage > 0 && IsValidCodePage(static_cast<UINT>(codePage)) != 0) {}

    bool IsOpen() const { return known; }

    void Append(std::string_view bytes, std::string& out) const {
        std::wstring wide;
        if (!ToWide(bytes, wide)) {
            wide = ToWideCharByChar(bytes);
        }
        AppendUtf8(wide, out);
    }

private:
    // UTF-16 has no unpaired surrogates here, so the conversion cannot fail.
    static constexpr wchar_t WideReplacement = 0xFFFD;
    // Far above any text of a tra file; the sizes of the API are ints.
    static constexpr std::size_t MaxWholeConversion = 1 << 24;

    // Fails on any byte the code page does not define, so that each can be
    // replaced on its own instead of by the platform's default character.
    bool ToWide(std::string_view bytes, std::wstring& wide) const {
        if (bytes.size() > MaxWholeConversion) {
            return false;
        }
        const int size = static_cast<int>(bytes.size());
        const int length =
            MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
        if (length <= 0) {
            return bytes.empty();
        }
        wide.resize(static_cast<std::size_t>(length));
        return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(),
                                   length) == length;
    }

    std::wstring ToWideCharByChar(std::string_view bytes) const {
        std::wstring wide;
        std::size_t position = 0;
        while (position < bytes.size()) {
            const bool lead = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[position])) != 0;
            const std::size_t length = lead && position + 1 < bytes.size() ? 2 : 1;
            std::wstring piece;
            if (ToWide(bytes.substr(position, length), piece)) {
                wide += piece;
            } else {
                wide += WideReplacement;
            }
            position += length;
        }
        return wide;
    }

    static void AppendUtf8(const std::wstring& wide, std::string& out) {
        if (wide.empty()) {
            return;
        }
        const int size = static_cast<int>(wide.size());
        const int length =
            WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
        if (length <= 0) {
            out += ReplacementCharacter;
            return;
        }
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(length));
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data() + start, length, nullptr,
                            nullptr);
    }

    UINT codePage;
    bool known;
};

#else

// glibc's iconv, which knows the Windows code pages as "CP1252" and so on.
class CodePageDecoder::Converter {
public:
    explicit Converter(int codePage) : handle(Open(codePage)) {}
    ~Converter() {
        if (IsOpen()) {
            iconv_close(handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return handle != Closed(); }

    // A byte iconv refuses becomes U+FFFD and the conversion goes on after
    // it; an incomplete character at the end becomes one U+FFFD.
    void Append(std::string_view bytes, std::string& out) {
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        char* input = const_cast<char*>(bytes.data());  // iconv's interface is not const
        std::size_t inputLeft = bytes.size();
        while (inputLeft > 0) {
            std::array<char, OutputChunk> chunk{};
            char* output = chunk.data();
            std::size_t outputLeft = chunk.size();
            const std::size_t result = iconv(handle, &input, &inputLeft, &output, &outputLeft);
            out.append(chunk.data(), static_cast<std::size_t>(output - chunk.data()));
            if (result != static_cast<std::size_t>(-1) || errno == E2BIG) {
                continue;
            }
            out += ReplacementCharacter;
            if (errno != EILSEQ) {
                break;
            }
            ++input;
            --inputLeft;
            iconv(handle, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    static constexpr std::size_t OutputChunk = 4096;
    static constexpr int Utf8CodePage = 65001;

    static iconv_t Closed() { return reinterpret_cast<iconv_t>(-1); }

    static iconv_t Open(int codePage) {
        if (codePage <= 0) {
            return Closed();
        }
        const std::string name =
            codePage == Utf8CodePage ? std::string("UTF-8") : "CP" + std::to_string(codePage);
        return iconv_open("UTF-8", name.c_str());
    }

    iconv_t handle;
};

#endif

CodePageDecoder::CodePageDecoder(int codePage) : converter(std::make_unique<Converter>(codePage)) {}

CodePageDecoder::~CodePageDecoder() = default;

std::string CodePageDecoder::ToUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Decode(bytes);
}

std::string CodePageDecoder::Decode(std::string_view bytes) {
    std::string out;
    if (!converter->IsOpen()) {
        for (char byte : bytes) {
            if (static_cast<unsigned char>(byte) < 0x80) {
                out += byte;
            } else {
                out += ReplacementCharacter;
            }
        }
        return out;
    }
    out.reserve(bytes.size() + bytes.size() / 2);
    converter->Append(bytes, out);
    return out;
}

bool CodePageDecoder::IsSupported() const {
    return converter->IsOpen();
}

bool IsSupportedCodePage(int codePage) {
    return CodePageDecoder(codePage).IsSupported();
}

std::string ToUtf8(std::string_view bytes, int codePage) {
    return CodePageDecoder(codePage).ToUtf8(bytes);
}

}  // namespace wordgleaner
