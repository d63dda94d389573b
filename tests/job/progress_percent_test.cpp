#include "job/progress_percent.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace wordgleaner;

namespace {

TEST(WholePercent, RoundsDownSoThatOnlyAllDoneIsFull) {
    EXPECT_EQ(WholePercent(0, 3), 0);
    EXPECT_EQ(WholePercent(1, 3), 33);
    EXPECT_EQ(WholePercent(2, 3), 66);
    EXPECT_EQ(WholePercent(999, 1000), 99);
    EXPECT_EQ(WholePercent(3, 3), FullPercent);
}

TEST(WholePercent, NothingToDoIsAllDone) {
    EXPECT_EQ(WholePercent(0, 0), FullPercent);
}

TEST(WholePercent, CountsNearTheLimitOfTheirTypeDoNotOverflow) {
    constexpr std::int64_t most = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(WholePercent(most - 1, most), 99);
    EXPECT_EQ(WholePercent(most / 2, most), 49);
}

}  // namespace
