#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace wordgleaner {

// The words of one record of the reference index, stored as their numbers in
// the fewest whole bytes that the record's largest number needs, lowest byte
// first: its width. With the words numbered by frequency, a record of only
// the 256 most frequent words takes a byte a word, nearly every other record
// two, and only a record holding one of the rarest words of a vocabulary
// past 65,536 more. A code whose length varies word by word would be smaller
// still, but must be read word by word, each word's start depending on the
// byte before it: decoding then costs the linear search more than comparing.
// One width a record reads as plain arrays of bytes or of 16-bit numbers.
//
//   {5, 300, 7} at width 2 -> 05 00  2C 01  07 00
namespace word_codes {

inline constexpr int BitsPerByte = 8;
inline constexpr std::size_t WidestCode = sizeof(std::uint32_t);

}  // namespace word_codes

// The width of a record whose largest number is `largest`: 1 to 4.
inline std::size_t WordCodeWidth(std::uint32_t largest) {
    const auto bits = static_cast<std::size_t>(std::bit_width(largest));
    return bits <= word_codes::BitsPerByte
               ? 1
               : (bits + word_codes::BitsPerByte - 1) / word_codes::BitsPerByte;
}

// Writes `numbers` at `width` bytes each, which must hold the largest, to
// `out` and returns the byte after them.
inline std::uint8_t* WriteWordCodes(std::uint8_t* out, std::span<const std::uint32_t> numbers,
                                    std::size_t width) {
    for (std::uint32_t number : numbers) {
        for (std::size_t byte = 0; byte < width; ++byte) {
            *out++ = static_cast<std::uint8_t>(number >> (byte * word_codes::BitsPerByte));
        }
    }
    return out;
}

namespace word_codes {

template <std::size_t Width>
inline std::size_t DecodeAtWidth(const std::uint8_t* codes, std::size_t bytes, std::uint32_t* out) {
    const std::size_t count = bytes / Width;
    if constexpr (Width == 1) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = codes[i];
        }
    } else if constexpr (Width == 2 && std::endian::native == std::endian::little) {
        for (std::size_t i = 0; i < count; ++i) {
            std::uint16_t number;
            std::memcpy(&number, codes + 2 * i, sizeof number);
            out[i] = number;
        }
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            std::uint32_t number = 0;
            for (std::size_t byte = 0; byte < Width; ++byte) {
                number |= std::uint32_t{codes[Width * i + byte]} << (byte * BitsPerByte);
            }
            out[i] = number;
        }
    }
    return count;
}

}  // namespace word_codes

// How many numbers `bytes` bytes at `width` hold.
inline std::size_t WordCodeCount(std::size_t bytes, std::size_t width) {
    // Each width divides by a constant; a division by a variable costs more
    // than decoding a short record.
    switch (width) {
        case 1:
            return bytes;
        case 2:
            return bytes / 2;
        case 3:
            return bytes / 3;
        default:
            return bytes / word_codes::WidestCode;
    }
}

// Writes the numbers coded in the `bytes` bytes at `codes`, `width` bytes
// each, to `out` and returns how many. Inline: the linear search decodes a
// record for every comparison, and each width compiles to a loop that the
// compiler widens many numbers at a time.
inline std::size_t DecodeWordCodes(const std::uint8_t* codes, std::size_t bytes, std::size_t width,
                                   std::uint32_t* out) {
    using namespace word_codes;
    switch (width) {
        case 1:
            return DecodeAtWidth<1>(codes, bytes, out);
        case 2:
            return DecodeAtWidth<2>(codes, bytes, out);
        case 3:
            return DecodeAtWidth<3>(codes, bytes, out);
        default:
            return DecodeAtWidth<WidestCode>(codes, bytes, out);
    }
}

}  // namespace wordgleaner
