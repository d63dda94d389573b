#pragma once

namespace wordgleaner {

// Stop requests to the command-line tool: Ctrl-C, SIGTERM and SIGHUP (on
// Windows Ctrl-C, Ctrl-Break, closing the console window and shutting the
// system down). The first one is only remembered: the run then requests
// its abort, finishes the current entry and writes everything. The handler
// then steps aside, so a second request of any of these kinds ends the
// program at once.
void InstallInterruptHandler();

// True once a stop request came after InstallInterruptHandler.
bool InterruptReceived();

// A write into a closed pipe (`wordgleaner-cli ... | head -1`) or beyond
// the file-size limit (`ulimit -f`) fails like any other write instead of
// ending the program: the run goes on, or fails with the reason, and the
// report tells it. Nothing to do on Windows, where no signal comes.
void IgnoreWriteSignals();

}  // namespace wordgleaner
