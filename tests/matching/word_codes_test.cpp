#include "matching/word_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

using namespace wordgleaner;

namespace {

using Numbers = std::vector<std::uint32_t>;
using Bytes = std::vector<std::uint8_t>;

Bytes Coded(const Numbers& numbers, std::size_t width) {
    Bytes codes(numbers.size() * width + 1, 0xEE);  // one byte more, never written
    const std::uint8_t* end = WriteWordCodes(codes.data(), numbers, width);
    EXPECT_EQ(end, codes.data() + numbers.size() * width);
    EXPECT_EQ(codes.back(), 0xEE);
    codes.pop_back();
    return codes;
}

Numbers Decoded(const Bytes& codes, std::size_t width) {
    Numbers numbers(codes.size() + 1, 0xEEEEEEEE);
    const std::size_t count = DecodeWordCodes(codes.data(), codes.size(), width, numbers.data());
    EXPECT_EQ(count, WordCodeCount(codes.size(), width));
    EXPECT_EQ(numbers[count], 0xEEEEEEEE) << "written past the last number";
    numbers.resize(count);
    return numbers;
}

// The first and last number of every width, where an off-by-one in a shift
// or a bound shows first; each decodes among neighbours of its width.
TEST(WordCodes, EveryWidthHoldsItsLargestNumberAndTheNextNeedsOneByteMore) {
    constexpr std::uint32_t Largest = std::numeric_limits<std::uint32_t>::max();
    const std::vector<Numbers> byWidth = {
        {0, 255, 1},
        {256, 65'535, 0, 300},
        {65'536, 16'777'215, 7},
        {16'777'216, Largest, 0},
    };
    for (std::size_t width = 1; width <= byWidth.size(); ++width) {
        const Numbers& numbers = byWidth[width - 1];
        EXPECT_EQ(WordCodeWidth(numbers[0]), width) << numbers[0];
        EXPECT_EQ(WordCodeWidth(numbers[1]), width) << numbers[1];
        const Bytes codes = Coded(numbers, width);
        EXPECT_EQ(codes.size(), numbers.size() * width);
        EXPECT_EQ(Decoded(codes, width), numbers) << "width " << width;
    }
    EXPECT_EQ(WordCodeWidth(0), 1U);
}

// Long enough for the loops the compiler widens to run whole blocks and a
// remainder.
TEST(WordCodes, RecordsOfEveryLengthDecodeAtEveryWidth) {
    for (std::size_t width = 1; width <= 4; ++width) {
        for (std::size_t count = 0; count <= 40; ++count) {
            Numbers numbers;
            for (std::size_t i = 0; i < count; ++i) {
                // The top bit of the width set, the others varying.
                const std::uint64_t top = std::uint64_t{1} << (width * 8 - 1);
                numbers.push_back(static_cast<std::uint32_t>(top + (i * 97) % top));
            }
            EXPECT_EQ(Decoded(Coded(numbers, width), width), numbers)
                << "width " << width << ", " << count << " numbers";
        }
    }
}

TEST(WordCodes, NumbersAreStoredLowestByteFirst) {
    EXPECT_EQ(Coded({5, 300, 7}, 2), (Bytes{0x05, 0x00, 0x2C, 0x01, 0x07, 0x00}));
    EXPECT_EQ(Coded({0x0A0B0C}, 3), (Bytes{0x0C, 0x0B, 0x0A}));
}

}  // namespace
