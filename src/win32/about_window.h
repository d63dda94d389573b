#pragma once

#include <optional>
#include <string>

#include "win32/dialog_window.h"

namespace wordgleaner {

// The program's icon, name and the version read at run time from the
// program file's own version record, so that the number shown is always the
// one the file was built with.
class AboutWindow : public DialogWindow {
public:
    AboutWindow();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The About command at the end of a window's system menu, and whether a
// WM_SYSCOMMAND's wParam is it.
void AddAboutToSystemMenu(HWND window);
bool IsAboutCommand(WPARAM command);

// The program's icon in a window's title bar and task bar button, at the
// sizes the system asks for.
void SetProgramIcons(HWND window);

// "a.b.c.d" from the fixed part of a file's version record; nothing when the
// file has none or it cannot be read.
std::optional<std::string> ReadFileVersion(const std::string& file);

// The path of the running program.
std::string ProgramFile();

}  // namespace wordgleaner
