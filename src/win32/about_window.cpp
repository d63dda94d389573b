#include "win32/about_window.h"

#include <utility>
#include <vector>

#include "frontend/main_window_labels.h"
#include "win32/resource_ids.h"
#include "win32/window_text.h"

namespace wordgleaner {

namespace {

constexpr char UnreadableVersion[] = "Couldn't read";
// The zip that brings the program brings the README beside it.
constexpr char DocumentationPlace[] = "README.md beside wordgleaner.exe";
// A system command of the program's own: below 0xF000, low four bits clear.
constexpr UINT AboutCommand = 0x0010;

}  // namespace

AboutWindow::AboutWindow() : DialogWindow(IDD_ABOUT) {}

bool AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
        case WM_INITDIALOG:
            SetItemText(Handle(), IDC_VERSION_TEXT,
                        ReadFileVersion(ProgramFile()).value_or(UnreadableVersion));
            SetItemText(Handle(), IDC_ABOUT_DESCRIPTION, AboutDescription(DocumentationPlace));
            return true;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                Finish(LOWORD(wParam));
                return true;
            }
            return false;
        default:
            return false;
    }
}

void AddAboutToSystemMenu(HWND window) {
    if (HMENU menu = GetSystemMenu(window, FALSE)) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, AboutCommand, AboutItemLabel);
    }
}

bool IsAboutCommand(WPARAM command) {
    return (command & 0xFFF0) == AboutCommand;
}

void SetProgramIcons(HWND window) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        auto* icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_WORDGLEANER),
                                                   IMAGE_ICON, size, size, LR_SHARED));
        SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

std::optional<std::string> ReadFileVersion(const std::string& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<char> record(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!GetFileVersionInfoA(file.c_str(), 0, size, record.data()) ||
        !VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionLS));
}

std::string ProgramFile() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            return std::string(path.data(), length);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace wordgleaner
