#include "matching/rank_lists.h"

#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace wordgleaner {

namespace {

using Rank = RankLists::Rank;

constexpr std::uint32_t GroupSize = 8;  // differences that fill whole bytes at any width
constexpr unsigned MostBits = 32;

// Beyond 32-bit offsets the reference would need tens of gigabytes in all:
// refused as the memory it would take.
std::uint32_t Checked32(std::size_t value) {
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    return static_cast<std::uint32_t>(value);
}

// Difference i of a block lies at bit i * Width of its packed bytes, so a
// group of eight starts on a byte; with the width known when compiled, the
// shifts and masks of a group are constants. Stops after the group that
// reaches `stopAt`, and gives the number of groups decoded.
template <unsigned Width>
std::uint32_t DecodeGroups(const std::uint8_t* packed, std::uint32_t groups, Rank previous,
                           Rank* out, Rank stopAt) {
    constexpr std::uint64_t Mask = (std::uint64_t{1} << Width) - 1;
    for (std::uint32_t group = 0; group < groups; ++group, packed += Width, out += GroupSize) {
        for (unsigned i = 0; i < GroupSize; ++i) {
            std::uint64_t word;
            std::memcpy(&word, packed + i * Width / 8, sizeof word);
            previous += static_cast<Rank>(word >> (i * Width % 8) & Mask) + 1;
            out[i] = previous;
        }
        if (previous >= stopAt) {
            return group + 1;
        }
    }
    return groups;
}

using GroupDecoder = std::uint32_t (*)(const std::uint8_t*, std::uint32_t, Rank, Rank*, Rank);

template <std::size_t... Widths>
constexpr std::array<GroupDecoder, sizeof...(Widths)> DecodersFor(std::index_sequence<Widths...>) {
    return {&DecodeGroups<Widths>...};
}

// By bit width, 0 (every rank one above the last) to 32.
constexpr std::array<GroupDecoder, MostBits + 1> GroupDecoders =
    DecodersFor(std::make_index_sequence<MostBits + 1>{});

// A full block is packed so that its decoding runs four ranks at a time in
// vector registers, which the walks over the long lists need to keep pace
// with the tests they do per rank. Rank i is kept as its distance from rank
// i - 4 (from the first rank, for the first four), less what it is at
// least, so four running sums rebuild the ranks with no rank waiting for
// the one before it. Difference i is in lane i % 4, row i / 4; each lane
// packs its 32 rows at the block's width into `Width` 32-bit words, and the
// lanes' words lie interleaved, so one row of all four lanes is read by the
// same shifts.
constexpr std::uint32_t Lanes = 4;
constexpr std::uint32_t Rows = RankLists::BlockSize / Lanes;

std::uint32_t FullBlockDifference(std::span<const Rank> ranks, std::uint32_t i) {
    return i < Lanes ? ranks[i] - ranks[0] - i : ranks[i] - ranks[i - Lanes] - Lanes;
}

// Unpacks a row of the four lanes at a time, then adds up the lanes; both
// steps go four ranks to a vector register.
template <unsigned Width>
void DecodeFullBlock(const std::uint8_t* packed, Rank first, Rank* out) {
    constexpr std::uint32_t Mask = static_cast<std::uint32_t>((std::uint64_t{1} << Width) - 1);
    std::array<std::uint32_t, Lanes*(Width == 0 ? 1 : Width) + Lanes> words{};
    std::memcpy(words.data(), packed, Lanes * Width * sizeof(std::uint32_t));
#pragma GCC unroll 32
    for (std::uint32_t row = 0; row < Rows; ++row) {
        const std::uint32_t bit = row * Width;
        const std::uint32_t shift = bit % 32;
        const std::uint32_t* low = words.data() + bit / 32 * Lanes;
        const std::uint32_t* high = low + Lanes;
        for (std::uint32_t lane = 0; lane < Lanes; ++lane) {
            std::uint32_t difference = 0;
            if constexpr (Width > 0) {
                difference = low[lane] >> shift;
                if (shift + Width > 32) {
                    difference |= high[lane] << (32 - shift);
                }
            }
            out[row * Lanes + lane] = difference & Mask;
        }
    }
    for (std::uint32_t lane = 0; lane < Lanes; ++lane) {
        out[lane] += first + lane;
    }
    for (std::uint32_t i = Lanes; i < RankLists::BlockSize; ++i) {
        out[i] += out[i - Lanes] + Lanes;
    }
}

using FullBlockDecoder = void (*)(const std::uint8_t*, Rank, Rank*);

template <std::size_t... Widths>
constexpr std::array<FullBlockDecoder, sizeof...(Widths)> FullBlockDecodersFor(
    std::index_sequence<Widths...>) {
    return {&DecodeFullBlock<Widths>...};
}

constexpr std::array<FullBlockDecoder, MostBits + 1> FullBlockDecoders =
    FullBlockDecodersFor(std::make_index_sequence<MostBits + 1>{});

}  // namespace

void RankLists::Append(std::span<const Rank> ranks) {
    const std::size_t entriesBefore = listEntryStarts.back();
    const std::size_t blocksBefore = blocks.size();
    const std::size_t bytesBefore = bytes.size();
    try {
        const std::uint32_t entryEnd = Checked32(entriesBefore + ranks.size());
        for (std::size_t start = 0; start < ranks.size(); start += BlockSize) {
            AppendBlock(
                ranks.subspan(start, std::min<std::size_t>(BlockSize, ranks.size() - start)));
        }
        listEntryStarts.push_back(entryEnd);
        listFirstBlocks.push_back(Checked32(blocks.size()));
    } catch (...) {
        blocks.resize(blocksBefore);
        bytes.resize(bytesBefore);
        std::fill(bytes.end() - Padding, bytes.end(), std::uint8_t{0});
        listFirstBlocks.resize(listEntryStarts.size());
        throw;
    }
}

// A block of one rank keeps no bytes.
void RankLists::AppendBlock(std::span<const Rank> ranks) {
    const std::size_t dataEnd = bytes.size() - Padding;
    blocks.push_back({ranks.front(), Checked32(dataEnd)});
    if (ranks.size() == BlockSize) {
        AppendFullBlock(ranks, dataEnd);
        return;
    }
    if (ranks.size() == 1) {
        return;
    }
    Rank largest = 0;
    for (std::size_t i = 1; i < ranks.size(); ++i) {
        largest = std::max(largest, ranks[i] - ranks[i - 1] - 1);
    }
    const auto width = static_cast<unsigned>(std::bit_width(largest));
    const std::size_t groups = (ranks.size() - 1 + GroupSize - 1) / GroupSize;
    const std::size_t packedStart = dataEnd + 1;
    Checked32(packedStart + groups * width + Padding);
    bytes.resize(packedStart + groups * width + Padding, 0);
    bytes[dataEnd] = static_cast<std::uint8_t>(width);
    for (std::size_t i = 1; i < ranks.size(); ++i) {
        const std::size_t bit = (i - 1) * width;
        std::uint64_t shifted = std::uint64_t{ranks[i] - ranks[i - 1] - 1} << (bit % 8);
        for (std::size_t at = packedStart + bit / 8; shifted != 0; ++at, shifted >>= 8) {
            bytes[at] |= static_cast<std::uint8_t>(shifted);
        }
    }
}

void RankLists::AppendFullBlock(std::span<const Rank> ranks, std::size_t dataEnd) {
    std::uint32_t largest = 0;
    for (std::uint32_t i = 0; i < BlockSize; ++i) {
        largest = std::max(largest, FullBlockDifference(ranks, i));
    }
    const auto width = static_cast<std::uint32_t>(std::bit_width(largest));
    std::vector<std::uint32_t> words(std::size_t{Lanes} * width, 0);
    for (std::uint32_t i = 0; i < BlockSize && width > 0; ++i) {
        const std::uint32_t lane = i % Lanes;
        const std::uint32_t bit = i / Lanes * width;
        const std::uint32_t shift = bit % 32;
        const std::uint32_t difference = FullBlockDifference(ranks, i);
        words[bit / 32 * Lanes + lane] |= difference << shift;
        if (shift + width > 32) {
            words[(bit / 32 + 1) * Lanes + lane] |= difference >> (32 - shift);
        }
    }
    const std::size_t packedStart = dataEnd + 1;
    const std::size_t packedBytes = words.size() * sizeof(std::uint32_t);
    Checked32(packedStart + packedBytes + Padding);
    bytes.resize(packedStart + packedBytes + Padding, 0);
    bytes[dataEnd] = static_cast<std::uint8_t>(width);
    // A block of consecutive ranks packs nothing, and memcpy must not be
    // handed the null data of an empty vector even for no bytes.
    if (packedBytes > 0) {
        std::memcpy(bytes.data() + packedStart, words.data(), packedBytes);
    }
}

void RankLists::ShrinkToFit() {
    listEntryStarts.shrink_to_fit();
    listFirstBlocks.shrink_to_fit();
    blocks.shrink_to_fit();
    bytes.shrink_to_fit();
}

RankLists::List RankLists::Of(std::size_t list) const {
    return List(this, listFirstBlocks[list], listEntryStarts[list + 1] - listEntryStarts[list]);
}

std::size_t RankLists::HeldBytes() const {
    return (listEntryStarts.capacity() + listFirstBlocks.capacity()) * sizeof(std::uint32_t) +
           blocks.capacity() * sizeof(Block) + bytes.capacity();
}

std::uint32_t RankLists::List::DecodeBlock(std::uint32_t block, Rank* out, Rank stopAt) const {
    const std::uint32_t count = std::min(BlockSize, listSize - block * BlockSize);
    const Block& stored = owner->blocks[firstBlock + block];
    const std::uint8_t* data = owner->bytes.data() + stored.offset;
    if (count == BlockSize) {
        FullBlockDecoders[data[0]](data + 1, stored.first, out);
        return count;
    }
    out[0] = stored.first;
    if (count == 1 || stored.first >= stopAt) {
        return 1;
    }
    const std::uint32_t groups = GroupDecoders[data[0]](
        data + 1, (count - 1 + GroupSize - 1) / GroupSize, stored.first, out + 1, stopAt);
    return std::min(count, 1 + groups * GroupSize);
}

RankLists::List RankLists::List::Clip(RankRange range) const {
    List clipped = *this;
    clipped.begin = LowerBound(range.first, begin);
    clipped.end = LowerBound(std::max(range.first, range.last), clipped.begin);
    return clipped;
}

// A binary search over the first ranks of the blocks, then a decoding of the
// one block where `rank` falls, as far as `rank`.
std::uint32_t RankLists::List::LowerBound(Rank rank, std::uint32_t from) const {
    if (from == end) {
        return from;
    }
    const Block* blocks = owner->blocks.data() + firstBlock;
    const std::uint32_t fromBlock = from / BlockSize;
    const std::uint32_t endBlock = (end - 1) / BlockSize + 1;
    // The first block after `from`'s whose first rank is not below `rank`:
    // a lower rank lies in the block in front of it.
    const Block* above =
        std::partition_point(blocks + fromBlock + 1, blocks + endBlock,
                             [rank](const Block& block) { return block.first < rank; });
    const auto block = static_cast<std::uint32_t>(above - blocks) - 1;
    if (blocks[block].first >= rank) {
        return from;  // only `from`'s block can start at or above `rank`
    }
    std::array<Rank, DecodedSize> decoded;
    const std::uint32_t count = DecodeBlock(block, decoded.data(), rank);
    const auto inBlock = static_cast<std::uint32_t>(
        std::lower_bound(decoded.data(), decoded.data() + count, rank) - decoded.data());
    return std::clamp(block * BlockSize + inBlock, from, end);
}

}  // namespace wordgleaner
