#include "win32/path_browse_field.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "frontend/browse_glyph_maps.h"
#include "frontend/main_window_labels.h"
#include "frontend/path_fields.h"
#include "win32/browse_glyph_drawing.h"
#include "win32/resource_ids.h"
#include "win32/window_text.h"

namespace wordgleaner {

namespace {

constexpr int OpenFolderGlyph = 1;
// Names a path can have on any Windows that the 8-bit file API reaches.
constexpr DWORD PathBufferSize = 32768;
// The system's warning icon (OIC_WARNING), in the small size.
constexpr WORD WarningIconId = 32515;

// Opens the folder chooser at the field's folder and with the field's title.
int CALLBACK FolderChooserStarted(HWND chooser, UINT message, LPARAM /*lParam*/, LPARAM data) {
    if (message == BFFM_INITIALIZED) {
        const auto* field = reinterpret_cast<const std::pair<std::string, std::string>*>(data);
        if (!field->first.empty()) {
            SetWindowTextA(chooser, field->first.c_str());
        }
        if (!field->second.empty()) {
            SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(field->second.c_str()));
        }
    }
    return 0;
}

}  // namespace

// Each extension once: Windows compares names without their letter case.
std::string ReferenceFileFilter() {
    return ChooserFileFilter(ReferenceFileTypes(false));
}

std::string ChooserFileFilter(const std::vector<ChooserFileType>& types) {
    std::string filter;
    for (const ChooserFileType& type : types) {
        std::string patterns;
        for (const std::string& pattern : type.patterns) {
            patterns += (patterns.empty() ? "" : ";") + pattern;
        }
        filter += type.description + " (" + patterns + ")" + '\0' + patterns + '\0';
    }
    return filter + '\0';
}

void PathBrowseField::Attach(HWND owner, int id) {
    dialog = owner;
    editId = id;
    AddTooltip();
}

void PathBrowseField::SetKind(bool folder, std::string title) {
    folderMode = folder;
    chooserTitle = std::move(title);
}

int PathBrowseField::ButtonId() const {
    return editId + IDC_BROWSE_OFFSET;
}

// Blanks and the quotes of Explorer's "Copy as path" around a pasted path
// are no part of it.
std::string PathBrowseField::Path() const {
    std::string text = WindowText(Edit());
    const auto first = text.find_first_not_of(" \t\"");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\"") - first + 1);
}

void PathBrowseField::SetPath(const std::string& path) {
    SetWindowTextA(Edit(), path.c_str());
}

void PathBrowseField::Enable(bool enabled) {
    EnableWindow(Edit(), enabled);
    EnableWindow(Button(), enabled);
}

bool PathBrowseField::Covers(POINT dialogPoint) const {
    for (HWND part : {Edit(), Button()}) {
        RECT area;
        GetWindowRect(part, &area);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&area), 2);
        if (PtInRect(&area, dialogPoint)) {
            return true;
        }
    }
    return false;
}

void PathBrowseField::MarkProblem() const {
    const std::string problem = PathProblemText(Path(), folderMode);
    if (problem.empty()) {
        return;
    }
    const std::wstring title = WideText(ProgramName);
    const std::wstring text = WideText(problem);
    EDITBALLOONTIP balloon = {sizeof balloon, title.c_str(), text.c_str(), TTI_WARNING};
    SendMessageW(Edit(), EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&balloon));
}

void PathBrowseField::CheckSign() {
    ShowSign(PathProblemText(Path(), folderMode));
}

void PathBrowseField::ShowSign(const std::string& problem) {
    HWND sign = Sign();
    if (!sign && problem.empty()) {
        return;
    }
    if (!sign && !(sign = MakeSign())) {
        return;
    }
    signText = problem;
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = Edit();
    tool.uId = reinterpret_cast<UINT_PTR>(sign);
    tool.lpszText = signText.data();
    SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    // The typed text stops short of the sign instead of running under it.
    RECT area;
    GetClientRect(sign, &area);
    const int margin = problem.empty() ? 0 : area.right + 2;
    SendMessageA(Edit(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, margin));
    ShowWindow(sign, problem.empty() ? SW_HIDE : SW_SHOWNA);
}

// A child of the edit field, so that it moves with it.
HWND PathBrowseField::MakeSign() {
    const int size = GetSystemMetrics(SM_CXSMICON);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND sign = CreateWindowExA(
        0, "STATIC", nullptr, WS_CHILD | SS_ICON | SS_NOTIFY | SS_REALSIZECONTROL, 0, 0, size, size,
        Edit(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PATH_SIGN)), instance, nullptr);
    if (!sign) {
        return nullptr;
    }
    auto* icon = static_cast<HICON>(
        LoadImageA(nullptr, MAKEINTRESOURCEA(WarningIconId), IMAGE_ICON, size, size, LR_SHARED));
    SendMessageA(sign, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SetWindowPos(sign, nullptr, 0, 0, size, size, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The edit field paints around its sign, not over it.
    SetWindowLongA(Edit(), GWL_STYLE, GetWindowLongA(Edit(), GWL_STYLE) | WS_CLIPCHILDREN);
    if (tooltip) {
        TTTOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Edit();
        tool.uId = reinterpret_cast<UINT_PTR>(sign);
        tool.lpszText = signText.data();
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    PlaceSign();
    return sign;
}

void PathBrowseField::PlaceSign() const {
    HWND sign = Sign();
    if (!sign) {
        return;
    }
    RECT field;
    RECT area;
    GetClientRect(Edit(), &field);
    GetClientRect(sign, &area);
    SetWindowPos(sign, nullptr, field.right - area.right - 1, (field.bottom - area.bottom) / 2, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PathBrowseField::Browse() {
    return folderMode ? BrowseFolder() : BrowseFile();
}

bool PathBrowseField::BrowseFolder() {
    const std::pair<std::string, std::string> start{chooserTitle, Path()};
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = dialog;
    info.pszDisplayName = displayName;
    info.lpszTitle = "Please select a folder from the list:";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = &FolderChooserStarted;
    info.lParam = reinterpret_cast<LPARAM>(&start);
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info);
    if (!item) {
        return false;
    }
    std::vector<char> path(MAX_PATH + 2, '\0');
    const bool found = SHGetPathFromIDListA(item, path.data());
    CoTaskMemFree(item);
    if (found) {
        SetPath(path.data());
    }
    return found;
}

bool PathBrowseField::BrowseFile() {
    std::vector<char> name(PathBufferSize, '\0');
    const std::string current = Path();
    current.copy(name.data(), name.size() - 1);
    const std::string filter = fileFilter.empty() ? ReferenceFileFilter() : fileFilter;
    OPENFILENAMEA chooser = {};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = dialog;
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = name.data();
    chooser.nMaxFile = static_cast<DWORD>(name.size());
    chooser.lpstrTitle = chooserTitle.c_str();
    chooser.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&chooser)) {
        return false;
    }
    SetPath(name.data());
    return true;
}

void PathBrowseField::AddTooltip() {
    tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                              dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tooltip) {
        return;
    }
    char text[] = "Browse";
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(Button());
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void PathBrowseField::DrawButton(const DRAWITEMSTRUCT& item) const {
    RECT area = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & ODS_DISABLED;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    SetBkColor(item.hDC, face);
    ExtTextOutA(item.hDC, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    DrawEdge(item.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    // The glyph sits in the middle, one pixel lower and further right while
    // the button is held down.
    const int offset = pressed ? 1 : 0;
    const int left = area.left + std::max(0L, (area.right - area.left - BrowseGlyphSize) / 2);
    const int top = area.top + std::max(0L, (area.bottom - area.top - BrowseGlyphSize) / 2);
    RECT glyph = {left + offset, top + offset,
                  std::min<LONG>(left + offset + BrowseGlyphSize, area.right),
                  std::min<LONG>(top + offset + BrowseGlyphSize, area.bottom)};
    DrawBrowseGlyph(item.hDC, face, glyph, OpenFolderGlyph, disabled);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&area, -1, -1);
        DrawFocusRect(item.hDC, &area);
    }
}

DroppedPaths TakeDrop(HDROP drop) {
    DroppedPaths dropped = {};
    DragQueryPoint(drop, &dropped.point);
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        std::vector<char> name(DragQueryFileA(drop, index, nullptr, 0) + 1);
        DragQueryFileA(drop, index, name.data(), static_cast<UINT>(name.size()));
        dropped.paths.emplace_back(name.data());
    }
    DragFinish(drop);
    return dropped;
}

}  // namespace wordgleaner
