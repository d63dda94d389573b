#include "review/code_page_encoder.h"

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

constexpr int Utf8CodePage = 65001;

#ifdef _WIN32

// Far above any text of a tra file; the sizes of the API are ints.
constexpr std::size_t MaxConversion = 1 << 24;

std::optional<std::wstring> ToWide(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
    return wide;
}

// WC_NO_BEST_FIT_CHARS keeps the converter from writing "a" for "ā": a
// character without its own byte is told as missing instead.
std::optional<std::string> Encode(std::string_view utf8, int codePage) {
    const auto page = static_cast<UINT>(codePage);
    if (utf8.size() > MaxConversion || IsValidCodePage(page) == 0) {
        return std::nullopt;
    }
    const std::optional<std::wstring> wide = ToWide(utf8);
    if (!wide) {
        return std::nullopt;
    }
    const int size = static_cast<int>(wide->size());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, wide->data(), size, nullptr,
                                           0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, wide->data(), size, bytes.data(), length,
                        nullptr, &usedDefault);
    return bytes;
}

#else

// glibc's iconv without //TRANSLIT, so a character without its own byte
// stops the conversion instead of being replaced by a look-alike.
std::optional<std::string> Encode(std::string_view utf8, int codePage) {
    const std::string name = "CP" + std::to_string(codePage);
    const iconv_t handle = iconv_open(name.c_str(), "UTF-8");
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string out;
    char* input = const_cast<char*>(utf8.data());  // iconv's interface is not const
    std::size_t inputLeft = utf8.size();
    bool complete = true;
    while (inputLeft > 0) {
        std::array<char, 4096> chunk{};
        char* output = chunk.data();
        std::size_t outputLeft = chunk.size();
        const std::size_t result = iconv(handle, &input, &inputLeft, &output, &outputLeft);
        out.append(chunk.data(), static_cast<std::size_t>(output - chunk.data()));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            complete = false;
            break;
        }
    }
    iconv_close(handle);
    if (!complete) {
        return std::nullopt;
    }
    return out;
}

#endif

}  // namespace

std::optional<std::string> EncodeForCodePage(std::string_view utf8, int codePage) {
    if (!IsValidUtf8(utf8) || codePage <= 0) {
        return std::nullopt;
    }
    if (codePage == Utf8CodePage || utf8.empty()) {
        return std::string(utf8);
    }
    return Encode(utf8, codePage);
}

}  // namespace wordgleaner
