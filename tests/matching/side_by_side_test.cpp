// RunSideBySide, which builds the halves of the search indexes on two
// threads: both halves are done when it returns, and a failure of either
// reaches the caller only after the other half has finished.

#include "matching/side_by_side.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <new>
#include <thread>

using namespace wordgleaner;

namespace {

TEST(RunSideBySide, RunsOneTaskOnAnotherThreadAndReturnsWhenBothAreDone) {
    std::thread::id besideThread;
    bool hereDone = false;
    RunSideBySide([&] { besideThread = std::this_thread::get_id(); }, [&] { hereDone = true; });
    EXPECT_TRUE(hereDone);
    EXPECT_NE(besideThread, std::thread::id());
    EXPECT_NE(besideThread, std::this_thread::get_id());
}

TEST(RunSideBySide, ThrowsAnAllocationFailureOfTheOtherThreadOnTheCallersThread) {
    bool hereDone = false;
    EXPECT_THROW(RunSideBySide([] { throw std::bad_alloc(); }, [&] { hereDone = true; }),
                 std::bad_alloc);
    EXPECT_TRUE(hereDone);
}

TEST(RunSideBySide, LetsTheOtherThreadFinishBeforeAFailureOfTheCallerLeaves) {
    std::latch callerFailing(1);
    std::atomic<bool> besideDone = false;
    EXPECT_THROW(RunSideBySide(
                     [&] {
                         callerFailing.wait();
                         besideDone = true;
                     },
                     [&] {
                         callerFailing.count_down();
                         throw std::bad_alloc();
                     }),
                 std::bad_alloc);
    EXPECT_TRUE(besideDone);
}

}  // namespace
