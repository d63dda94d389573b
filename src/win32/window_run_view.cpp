#include "win32/window_run_view.h"

#include <commctrl.h>
#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "frontend/main_window_labels.h"
#include "win32/main_path_fields.h"
#include "win32/message_boxes.h"
#include "win32/resource_ids.h"
#include "win32/window_text.h"

namespace wordgleaner {

namespace {

// A wide path in the system's 8-bit code page, as the job's paths are.
std::string LocalText(const wchar_t* wide) {
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), length, nullptr, nullptr);
    text.pop_back();  // the terminating NUL
    return text;
}

}  // namespace

WindowRunView::WindowRunView(MessageBoxes& messageBoxes,
                             std::function<bool(const std::string&)> opener)
    : messages(messageBoxes), open(std::move(opener)) {}

void WindowRunView::Attach(HWND owner, MainPathFields& pathFields) {
    dialog = owner;
    fields = &pathFields;
}

void WindowRunView::ShowMessage(MessageIcon icon, const std::string& caption,
                                const std::string& text) {
    messages.Show(dialog, icon, caption, text);
}

bool WindowRunView::Confirm(const std::string& caption, const std::string& question,
                            DefaultAnswer preferred) {
    return messages.Confirm(dialog, caption, question, preferred);
}

int WindowRunView::Choose(MessageIcon icon, const std::string& caption, const std::string& text,
                          const std::vector<std::string>& buttons) {
    return messages.Ask(dialog, icon, caption, text, buttons);
}

void WindowRunView::SetBar(RunBar bar, int percent, const std::string& text) {
    const int id = bar == RunBar::Files ? IDC_FILES_BAR : IDC_ENTRIES_BAR;
    SendDlgItemMessageA(dialog, id, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    SetItemText(dialog, id, text);
}

void WindowRunView::SetTimeText(const std::string& text) {
    SetItemText(dialog, IDC_TIME_LABEL, text);
}

void WindowRunView::SetRunning(bool running) {
    fields->Enable(!running);
    EnableWindow(GetDlgItem(dialog, IDC_IMPORT), !running);
    EnableWindow(GetDlgItem(dialog, IDC_PREFERENCES), !running);
    SetItemText(dialog, IDCANCEL, QuitLabel(running));
}

void WindowRunView::FocusField(PathField field) {
    fields->Focus(field);
}

std::string WindowRunView::DownloadsFolder() const {
    PWSTR wide = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &wide))) {
        folder = LocalText(wide);
    }
    CoTaskMemFree(wide);
    return folder;
}

void WindowRunView::SetDecisionsFile(const std::string& path) {
    fields->SetDecisionsFile(path);
}

void WindowRunView::MarkPath(PathField field, const std::string& problem) {
    fields->Mark(field, problem);
}

// Made absolute against the working directory the job ran in.
std::string WindowRunView::FullPath(const std::string& path) const {
    std::vector<char> full(32768);
    const DWORD length =
        GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    return length > 0 && length < full.size() ? std::string(full.data(), length) : path;
}

bool WindowRunView::Open(const std::string& fullPath) {
    if (open) {
        return open(fullPath);
    }
    const auto shell =
        ShellExecuteA(dialog, "open", fullPath.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(shell) > 32;
}

void WindowRunView::SchedulePoll(std::chrono::milliseconds interval) {
    SetTimer(dialog, PollTimerId, static_cast<UINT>(interval.count()), nullptr);
}

}  // namespace wordgleaner
