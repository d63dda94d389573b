#pragma once

namespace wordgleaner {

// Ctrl-C handling of the command-line tool: the first Ctrl-C is only
// remembered (the run then requests its abort and finishes normally); the
// handler then steps aside, so a second Ctrl-C ends the program at once.
void InstallInterruptHandler();

// True once Ctrl-C was pressed after InstallInterruptHandler.
bool InterruptReceived();

}  // namespace wordgleaner
