#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace wordgleaner {

// Many ascending lists of ranks, stored as the differences between nearby
// ranks. The posting lists of a game's string table hold tens of millions
// of ranks, at 4 bytes each more than the reference file itself; most
// neighbours on a long list lie close together, so a difference takes a few
// bits.
//
// Each list is cut into blocks of BlockSize ranks. A block keeps its first
// rank and where its bytes start in a small table, and packs the rest with
// one bit width for the whole block: a full block each rank's distance from
// the rank four before it, four lanes side by side, so that it decodes four
// ranks at a time; a shorter block, the last of a list, the differences
// between neighbours, eight to a group of whole bytes. Cutting a list to a
// rank range then costs a binary search over the blocks' first ranks and
// the decoding of one block at each end; walking a list decodes one block
// at a time into a buffer that stays in the nearest cache.
//
// Offsets are 32-bit: Append throws std::bad_alloc beyond 4 G ranks or
// bytes in all, which no reference that fits in memory comes near.
class RankLists {
public:
    using Rank = std::uint32_t;
    static constexpr std::uint32_t BlockSize = 128;

    // Ranks [first, last).
    struct RankRange {
        Rank first = 0;
        Rank last = 0;
    };

    // One list, or the part of it between two of its entries. Holds where
    // the list's blocks are, so a walk reads the list's own blocks only.
    class List {
    public:
        List() = default;

        std::size_t size() const { return end - begin; }
        bool empty() const { return begin == end; }

        // The part of the list that lies in `range`.
        List Clip(RankRange range) const;

        // Calls visit(std::span<const Rank>) for the ranks of each block in
        // turn, in ascending order.
        template <typename Visit>
        void ForEachBlock(Visit&& visit) const {
            if (empty()) {
                return;
            }
            std::array<Rank, DecodedSize> decoded;
            const std::uint32_t lastBlock = (end - 1) / BlockSize;
            for (std::uint32_t block = begin / BlockSize; block <= lastBlock; ++block) {
                const std::uint32_t blockStart = block * BlockSize;
                const std::uint32_t count = DecodeBlock(block, decoded.data());
                const std::uint32_t from = std::max(begin, blockStart) - blockStart;
                const std::uint32_t to = std::min(end - blockStart, count);
                visit(std::span<const Rank>(decoded.data() + from, to - from));
            }
        }

    private:
        friend class RankLists;
        List(const RankLists* owner, std::uint32_t firstBlock, std::uint32_t listSize)
            : owner(owner), firstBlock(firstBlock), listSize(listSize), end(listSize) {}

        // Decodes block `block` of the list into `out` and gives the number
        // of its ranks decoded: all of them, or from `stopAt` on, the first
        // few that reach it.
        std::uint32_t DecodeBlock(std::uint32_t block, Rank* out,
                                  Rank stopAt = std::numeric_limits<Rank>::max()) const;
        // The first of the list's entries [from, end) whose rank is not below `rank`.
        std::uint32_t LowerBound(Rank rank, std::uint32_t from) const;

        const RankLists* owner = nullptr;
        std::uint32_t firstBlock = 0;  // of all lists' blocks
        std::uint32_t listSize = 0;    // the whole list's
        std::uint32_t begin = 0;       // entries of the whole list, counting from 0
        std::uint32_t end = 0;
    };

    RankLists() = default;

    // Adds `ranks`, which must ascend strictly, as the next list. May throw
    // std::bad_alloc; the lists added before stay.
    void Append(std::span<const Rank> ranks);
    // Gives back the room that growing left over; call when all are added.
    void ShrinkToFit();

    std::size_t ListCount() const { return listEntryStarts.size() - 1; }
    List Of(std::size_t list) const;
    std::size_t HeldBytes() const;

private:
    // A block's differences, decoded eight at a time, may run one group past
    // its last rank.
    static constexpr std::size_t DecodedSize = BlockSize + 8;
    // Decoding reads whole 8-byte words; this many bytes after the last
    // block keep it inside the buffer.
    static constexpr std::size_t Padding = 8;

    struct Block {
        Rank first = 0;
        std::uint32_t offset = 0;  // into bytes
    };

    void AppendBlock(std::span<const Rank> ranks);
    void AppendFullBlock(std::span<const Rank> ranks, std::size_t dataEnd);

    std::vector<std::uint32_t> listEntryStarts{0};  // by list, one more
    std::vector<std::uint32_t> listFirstBlocks{0};  // by list, one more
    std::vector<Block> blocks;
    // Each block of more than one rank: its bit width, then its packed
    // differences; Padding zero bytes after the last.
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(Padding, 0);
};

}  // namespace wordgleaner
