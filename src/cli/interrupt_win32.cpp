// Stop requests on the Windows console. The C library's SIGINT there covers
// Ctrl-C but not Ctrl-Break, and a console program is expected to answer
// both, and closing its window too; the console calls this handler on a
// thread of its own.

#include <windows.h>

#include <atomic>

#include "cli/interrupt.h"

namespace wordgleaner {

namespace {

// Written by the console's thread, read by the polling loop.
std::atomic<bool> interruptReceived{false};

bool IsStopRequest(DWORD event) {
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT ||
           event == CTRL_SHUTDOWN_EVENT;
}

// Windows ends the program as soon as the handler of these returns, or after
// a few seconds whatever it does.
bool EndsTheProgram(DWORD event) {
    return event == CTRL_CLOSE_EVENT || event == CTRL_SHUTDOWN_EVENT;
}

// Takes the first stop request; declining a later one lets the default
// handler end the program at once. When the window closes, the handler
// keeps Windows waiting, so that the run has those seconds to finish its
// entry and write its files; the program ends itself once it has.
BOOL WINAPI OnConsoleControl(DWORD event) {
    if (!IsStopRequest(event) || interruptReceived.exchange(true)) {
        return FALSE;
    }
    if (EndsTheProgram(event)) {
        Sleep(INFINITE);
    }
    return TRUE;
}

}  // namespace

void InstallInterruptHandler() {
    interruptReceived = false;
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);  // installed once, however often called
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool InterruptReceived() {
    return interruptReceived.load();
}

void IgnoreWriteSignals() {}

}  // namespace wordgleaner
