// RankLists against plain vectors: every list comes back as appended, and a
// clip is the part std::lower_bound finds, at block edges and at the widths
// where packing and decoding can go wrong (no bits, all 32 bits).

#include "matching/rank_lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using namespace wordgleaner;

namespace {

using Rank = RankLists::Rank;
using Ranks = std::vector<Rank>;
constexpr Rank Block = RankLists::BlockSize;
constexpr Rank Largest = std::numeric_limits<Rank>::max();

Ranks ToVector(const RankLists::List& list) {
    Ranks ranks;
    list.ForEachBlock([&](std::span<const Rank> block) {
        ranks.insert(ranks.end(), block.begin(), block.end());
    });
    return ranks;
}

Ranks Consecutive(Rank first, Rank count) {
    Ranks ranks(count);
    for (Rank i = 0; i < count; ++i) {
        ranks[i] = first + i;
    }
    return ranks;
}

// `count` distinct ranks below `limit`, ascending, with gaps of every size
// from 1 to far apart.
Ranks Scattered(std::mt19937& random, Rank count, Rank limit) {
    Ranks ranks;
    std::uniform_int_distribution<int> shift(0, 20);
    Rank rank = 0;
    while (ranks.size() < count) {
        std::uniform_int_distribution<Rank> gap(1, Rank{1} << shift(random));
        rank += gap(random);
        if (rank >= limit) {
            break;
        }
        ranks.push_back(rank);
    }
    return ranks;
}

Ranks Clipped(const Ranks& ranks, RankLists::RankRange range) {
    auto first = std::lower_bound(ranks.begin(), ranks.end(), range.first);
    auto last = std::lower_bound(first, ranks.end(), range.last);
    return Ranks(first, last);
}

void ExpectEveryListAsAppended(const std::vector<Ranks>& lists) {
    RankLists stored;
    for (const Ranks& list : lists) {
        stored.Append(list);
    }
    ASSERT_EQ(stored.ListCount(), lists.size());
    for (std::size_t i = 0; i < lists.size(); ++i) {
        EXPECT_EQ(stored.Of(i).size(), lists[i].size()) << "list " << i;
        EXPECT_EQ(ToVector(stored.Of(i)), lists[i]) << "list " << i;
    }
}

TEST(RankLists, GiveBackListsAroundTheBlockSize) {
    ExpectEveryListAsAppended({{},
                               {7},
                               Consecutive(3, Block),
                               Consecutive(0, Block + 1),
                               Consecutive(1000, 2 * Block),
                               Consecutive(5, 2 * Block + 1),
                               {},
                               {0}});
}

TEST(RankLists, GiveBackGapsOfNoBitsUpToAllThirtyTwo) {
    std::vector<Ranks> lists{{0, Largest}, {Largest}, {Largest - 1, Largest}};
    for (Rank bits = 0; bits < 32; ++bits) {
        Ranks strided;  // differences less one of exactly `bits` bits
        for (Rank rank = 0; strided.size() < 20 && rank <= Largest - (Rank{1} << bits);
             rank += Rank{1} << bits) {
            strided.push_back(rank);
        }
        strided.push_back(strided.back() + (Rank{1} << bits));
        lists.push_back(strided);
    }
    Ranks wideLast = Consecutive(0, Block);
    wideLast.back() = Largest;  // the last difference of the block takes 32 bits
    lists.push_back(wideLast);
    lists.push_back(Consecutive(Largest - Block, Block + 1));
    ExpectEveryListAsAppended(lists);
}

TEST(RankLists, GiveBackScatteredListsWithBlocksOfEveryWidth) {
    std::mt19937 random(11);
    std::vector<Ranks> lists;
    for (Rank count : {1U, 2U, 9U, Block - 1, Block, Block + 1, 5 * Block + 17, 3000U}) {
        lists.push_back(Scattered(random, count, Largest));
    }
    ExpectEveryListAsAppended(lists);
}

class RankListsClipTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::mt19937 random(5);
        lists = {Consecutive(10, 3 * Block + 5),
                 Scattered(random, 4 * Block + 3, 1 << 24),
                 Scattered(random, Block, 1 << 20),
                 {42},
                 {}};
        for (const Ranks& list : lists) {
            stored.Append(list);
        }
    }

    // Clips every list to `range`, and the clip once more to `inner`.
    void ExpectClipsLikeLowerBound(RankLists::RankRange range, RankLists::RankRange inner) {
        for (std::size_t i = 0; i < lists.size(); ++i) {
            const RankLists::List clipped = stored.Of(i).Clip(range);
            const Ranks expected = Clipped(lists[i], range);
            EXPECT_EQ(clipped.size(), expected.size())
                << "list " << i << " [" << range.first << ", " << range.last << ")";
            EXPECT_EQ(ToVector(clipped), expected)
                << "list " << i << " [" << range.first << ", " << range.last << ")";
            EXPECT_EQ(ToVector(clipped.Clip(inner)), Clipped(expected, inner))
                << "list " << i << " inner [" << inner.first << ", " << inner.last << ")";
        }
    }

    std::vector<Ranks> lists;
    RankLists stored;
};

TEST_F(RankListsClipTest, ClipsAtAndBesideEveryBlockEdge) {
    for (const Ranks& list : lists) {
        for (std::size_t at = 0; at < list.size(); at += Block) {
            for (Rank edge : {list[at] - 1, list[at], list[at] + 1}) {
                ExpectClipsLikeLowerBound({edge, Largest}, {edge + 1, edge + 300});
                ExpectClipsLikeLowerBound({0, edge}, {edge / 2, edge});
            }
            const Rank blockLast = list[std::min(at + Block, list.size()) - 1];
            ExpectClipsLikeLowerBound({list[at], blockLast + 1}, {list[at] + 1, blockLast});
        }
    }
}

TEST_F(RankListsClipTest, ClipsToRandomRanges) {
    std::mt19937 random(3);
    std::uniform_int_distribution<Rank> rank(0, 1 << 24);
    for (int i = 0; i < 200; ++i) {
        Rank first = rank(random);
        Rank last = rank(random);
        Rank innerFirst = rank(random);
        Rank innerLast = rank(random);
        if (first > last) {
            std::swap(first, last);
        }
        if (innerFirst > innerLast) {
            std::swap(innerFirst, innerLast);
        }
        ExpectClipsLikeLowerBound({first, last}, {innerFirst, innerLast});
    }
}

TEST_F(RankListsClipTest, EmptyAndReversedRangesClipToNothing) {
    for (std::size_t i = 0; i < lists.size(); ++i) {
        for (RankLists::RankRange range :
             {RankLists::RankRange{50, 50}, RankLists::RankRange{600, 20},
              RankLists::RankRange{Largest, Largest}, RankLists::RankRange{0, 0}}) {
            const RankLists::List clipped = stored.Of(i).Clip(range);
            EXPECT_TRUE(clipped.empty()) << "list " << i;
            EXPECT_TRUE(ToVector(clipped).empty()) << "list " << i;
        }
    }
    ExpectClipsLikeLowerBound({0, Largest}, {Largest, Largest});
}

TEST(RankLists, KeepEveryListWhenShrunk) {
    RankLists stored;
    stored.Append(Consecutive(0, Block + 3));
    const Ranks second{1, 1 << 30};
    stored.Append(second);
    stored.ShrinkToFit();
    ASSERT_EQ(stored.ListCount(), 2U);
    EXPECT_EQ(ToVector(stored.Of(0)), Consecutive(0, Block + 3));
    EXPECT_EQ(ToVector(stored.Of(1)), second);
    EXPECT_GT(stored.HeldBytes(), 0U);
}

}  // namespace
