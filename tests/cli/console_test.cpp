// The console side of the tool: stop requests, closed pipes and terminal
// detection.

#include "cli/interrupt.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/terminal.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <signal.h>
#include <unistd.h>
#endif

using namespace wordgleaner;

namespace {

#if !defined(_WIN32)  // the console's Ctrl-C there: stop_signal_test.sh runs the program
bool HasDefaultAction(int signal) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler == SIG_DFL;
}

TEST(Interrupt, TheFirstStopSignalIsOnlyRememberedAndTheNextOfAnyKindEndsTheProgram) {
    for (int first : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(first);
        InstallInterruptHandler();
        EXPECT_FALSE(InterruptReceived()) << "a new run starts uninterrupted";

        ASSERT_EQ(std::raise(first), 0);

        EXPECT_TRUE(InterruptReceived());
        // The handler stepped aside: the default action (ending the program)
        // now answers a second Ctrl-C, SIGTERM or SIGHUP.
        EXPECT_TRUE(HasDefaultAction(SIGINT));
        EXPECT_TRUE(HasDefaultAction(SIGTERM));
        EXPECT_TRUE(HasDefaultAction(SIGHUP));
    }
}

TEST(Interrupt, AWriteIntoAClosedPipeFailsInsteadOfEndingTheProgram) {
    IgnoreWriteSignals();
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);

    errno = 0;
    EXPECT_EQ(write(ends[1], "x", 1), -1);
    EXPECT_EQ(errno, EPIPE);

    close(ends[1]);
    std::signal(SIGPIPE, SIG_DFL);
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
