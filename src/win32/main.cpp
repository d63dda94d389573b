// The Windows window: one dialog, run modally until it closes.

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "win32/ini_store.h"
#include "win32/main_window.h"
#include "win32/message_boxes.h"

namespace wordgleaner {

namespace {

// Closes what the shell's folder chooser needs when the program ends.
class OleSession {
public:
    OleSession() : started(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (started) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool started;
};

int RunProgram() {
    const INITCOMMONCONTROLSEX controls = {
        sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    OleSession ole;
    SystemMessageBoxes messages;
    MainWindow window({messages, DefaultSettingsFile()});
    return window.RunModal(nullptr) == -1 ? 1 : 0;
}

}  // namespace

}  // namespace wordgleaner

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    return wordgleaner::RunProgram();
}
