#include "cli/interrupt.h"

#include <csignal>

namespace wordgleaner {

namespace {

// A signal handler can reach nothing but a flag of static storage; this one
// is written by the handler and read by the polling loop.
volatile std::sig_atomic_t interruptReceived = 0;

extern "C" void OnInterrupt(int) {
    interruptReceived = 1;
    std::signal(SIGINT, SIG_DFL);  // the next Ctrl-C ends the program
}

}  // namespace

void InstallInterruptHandler() {
    interruptReceived = 0;
    std::signal(SIGINT, OnInterrupt);
}

bool InterruptReceived() {
    return interruptReceived != 0;
}

}  // namespace wordgleaner
