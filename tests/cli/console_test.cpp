// The console side of the tool: Ctrl-C handling and terminal detection.

#include "cli/interrupt.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/terminal.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace {

#if !defined(_WIN32)  // the console's Ctrl-C there: ctrl_c_test.sh runs the program
TEST(Interrupt, TheFirstCtrlCIsOnlyRememberedAndTheNextOneEndsTheProgram) {
    InstallInterruptHandler();
    EXPECT_FALSE(InterruptReceived());

    ASSERT_EQ(std::raise(SIGINT), 0);

    EXPECT_TRUE(InterruptReceived());
    // The handler stepped aside: the default action (ending the program)
    // now answers a second Ctrl-C.
    EXPECT_EQ(std::signal(SIGINT, SIG_DFL), SIG_DFL);

    InstallInterruptHandler();
    EXPECT_FALSE(InterruptReceived()) << "a new run starts uninterrupted";
    std::signal(SIGINT, SIG_DFL);
}
#endif

TEST(Terminal, AFileIsNoInteractiveTerminalAndGetsTheDefaultWidth) {
    test_support::TempDir folder;
    const std::string path = folder.Write("not a terminal.txt", "");
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "w"),
                                                         &std::fclose);
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(IsInteractiveTerminal(file.get()));
    EXPECT_EQ(TerminalColumns(file.get()), 80);
}

}  // namespace
