// Ctrl-C on the Windows console. The C library's SIGINT there covers Ctrl-C
// but not Ctrl-Break, and a console program is expected to answer both; the
// console calls this handler on a thread of its own.

#include <windows.h>

#include <atomic>

#include "cli/interrupt.h"

namespace wordgleaner {

namespace {

// Written by the console's thread, read by the polling loop.
std::atomic<bool> interruptReceived{false};

// Takes the first Ctrl-C or Ctrl-Break; declining a later one lets the
// default handler end the program at once.
BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    return interruptReceived.exchange(true) ? FALSE : TRUE;
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

}  // namespace wordgleaner
