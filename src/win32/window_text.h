#pragma once

#include <windows.h>

#include <string>

namespace wordgleaner {

// Window texts in the system's 8-bit code page, the encoding of the job's
// paths and texts.
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);

// Between the system code page and UTF-16, for the windows and boxes that
// take only the latter.
std::wstring WideText(const std::string& text);
std::string NarrowText(const wchar_t* text);

}  // namespace wordgleaner
