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

// A write into a closed pipe (`wordgleaner-cli ... | head -1`) fails like
// any other write instead of ending the program, so the run goes on and
// writes its files. Nothing to do on Windows, where no signal comes.
void IgnoreBrokenPipe();

}  // namespace wordgleaner
