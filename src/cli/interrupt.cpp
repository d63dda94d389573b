#include "cli/interrupt.h"

#include <signal.h>

#include <csignal>

namespace wordgleaner {

namespace {

// Ctrl-C, a `kill` without a signal name, and the terminal going away.
constexpr int StopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// A signal handler can reach nothing but a flag of static storage; this one
// is written by the handler and read by the polling loop.
volatile std::sig_atomic_t interruptReceived = 0;

// sigaction is safe to call from a signal handler. SA_RESTART: a read or
// write that the signal interrupts goes on instead of failing. The other
// stop signals wait while the handler runs, so a second one always meets
// the default action.
void HandleStopSignals(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int stopSignal : StopSignals) {
        sigaddset(&action.sa_mask, stopSignal);
    }
    for (int stopSignal : StopSignals) {
        sigaction(stopSignal, &action, nullptr);
    }
}

extern "C" void OnStopSignal(int) {
    interruptReceived = 1;
    HandleStopSignals(SIG_DFL);  // the next one ends the program
}

}  // namespace

void InstallInterruptHandler() {
    interruptReceived = 0;
    HandleStopSignals(OnStopSignal);
}

bool InterruptReceived() {
    return interruptReceived != 0;
}

void IgnoreWriteSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(SIGPIPE, &action, nullptr);
    sigaction(SIGXFSZ, &action, nullptr);
}

}  // namespace wordgleaner
