#include "win32/main_window.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "frontend/main_window_labels.h"
#include "win32/about_window.h"
#include "win32/ini_store.h"
#include "win32/message_boxes.h"
#include "win32/preferences_window.h"
#include "win32/resource_ids.h"
#include "win32/window_text.h"

namespace wordgleaner {

MainWindow::MainWindow(MainWindowServices windowServices)
    : DialogWindow(IDD_MAIN),
      services(std::move(windowServices)),
      view(services.messages, services.open),
      controller(view, services.jobHooks) {}

bool MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Initialize();
            return true;
        case WM_COMMAND:
            return HandleCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_TIMER:
            Poll();
            return true;
        case WM_SYSCOMMAND:
            if (!IsAboutCommand(wParam)) {
                return false;
            }
            AboutWindow().RunModal(Handle());
            return true;
        case WM_SIZE:
            layout.Apply();
            fields.PlaceSigns();
            return true;
        case WM_ACTIVATE:
            // The disk may have changed while the window was elsewhere; the
            // dialog still restores the focus.
            if (LOWORD(wParam) != WA_INACTIVE) {
                controller.CheckPaths(Request());
            }
            return false;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = layout.MinimumTrackSize();
            return true;
        case WM_DRAWITEM:
            fields.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return true;
        case WM_DROPFILES:
            DropFiles(reinterpret_cast<HDROP>(wParam));
            return true;
        case WM_DPICHANGED: {
            layout.Rescale(LOWORD(wParam));
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return true;
        }
        default:
            return false;
    }
}

bool MainWindow::HandleCommand(int id, int code) {
    switch (id) {
        case IDC_IMPORT:
            StartRun();
            return true;
        case IDC_PREFERENCES:
            ChangePreferences();
            return true;
        case IDCANCEL:
            Cancel();
            return true;
        default:
            return fields.HandleCommand(id, code);
    }
}

// The template's texts give way to the labels every window shares.
void MainWindow::Initialize() {
    fields.Attach(Handle());
    filesBar.Attach(Item(IDC_FILES_BAR));
    entriesBar.Attach(Item(IDC_ENTRIES_BAR));
    view.Attach(Handle(), fields);
    for (auto [id, text] : {std::pair{IDC_FILES_BAR_LABEL, FilesBarLabel},
                            {IDC_ENTRIES_BAR_LABEL, EntriesBarLabel},
                            {IDC_IMPORT, ImportLabel},
                            {IDC_PREFERENCES, PreferencesLabel},
                            {IDCANCEL, QuitLabel(false)}}) {
        SetItemText(Handle(), id, text);
    }
    CaptureLayout();
    AddAboutToSystemMenu(Handle());
    SetProgramIcons(Handle());
    Restore();
    fields.ShowKind(preferences.referenceFolders);
}

// The fields, their labels and the bars take the width; the buttons keep to
// the right edge, Quit to the bottom right corner.
void MainWindow::CaptureLayout() {
    std::vector<Anchor> anchors;
    fields.AddAnchors(anchors);
    for (int id : {IDC_FILES_BAR, IDC_ENTRIES_BAR, IDC_FILES_BAR_LABEL, IDC_ENTRIES_BAR_LABEL,
                   IDC_TIME_LABEL}) {
        anchors.push_back({id, true});
    }
    anchors.push_back({IDC_IMPORT, false, true});
    anchors.push_back({IDC_PREFERENCES, false, true});
    anchors.push_back({IDCANCEL, false, true, true});
    layout.Capture(Handle(), std::move(anchors));
}

RunRequest MainWindow::Request() const {
    return {fields.Paths(), preferences, fields.DecisionsFile()};
}

void MainWindow::StartRun() {
    if (controller.Import(Request())) {
        Remember();
    }
}

void MainWindow::Poll() {
    KillTimer(Handle(), WindowRunView::PollTimerId);
    controller.Poll();
}

void MainWindow::ChangePreferences() {
    if (controller.Running()) {
        return;
    }
    PreferencesWindow dialog(services.messages, preferences);
    if (dialog.RunModal(Handle()) == IDOK) {
        preferences = dialog.Values();
        fields.ShowKind(preferences.referenceFolders);
        Remember();
    }
}

// Quit, Escape and the close box: the window stays while a run goes on.
void MainWindow::Cancel() {
    if (controller.Cancel()) {
        Remember();
        Finish(IDCANCEL);
    }
}

// A file or folder dropped from Explorer goes into the field it was dropped
// on, when it is one path of the field's kind.
void MainWindow::DropFiles(HDROP drop) {
    const DroppedPaths dropped = TakeDrop(drop);
    if (controller.Running()) {
        return;
    }
    if (const std::string problem = fields.Drop(dropped); !problem.empty()) {
        services.messages.Show(Handle(), MessageIcon::Warning, ProgramName, problem);
    }
}

void MainWindow::Restore() {
    if (services.settingsFile.empty()) {
        return;
    }
    const RememberedWindow remembered = ReadRememberedWindow(ReadIniFile(services.settingsFile));
    fields.SetPaths(remembered.paths);
    fields.SetDecisionsFile(remembered.decisionsFile);
    preferences = remembered.preferences;
    if (remembered.width > 0 && remembered.height > 0) {
        const POINT minimum = layout.MinimumTrackSize();
        SetWindowPos(Handle(), nullptr, 0, 0, std::max<int>(remembered.width, minimum.x),
                     std::max<int>(remembered.height, minimum.y), SWP_NOMOVE | SWP_NOZORDER);
    }
}

// The window's outer size, as Windows gives it back.
void MainWindow::Remember() const {
    if (services.settingsFile.empty()) {
        return;
    }
    RECT window;
    GetWindowRect(Handle(), &window);
    WriteIniFile(services.settingsFile,
                 RememberedValues({fields.Paths(), preferences, window.right - window.left,
                                   window.bottom - window.top, fields.DecisionsFile()}));
}

}  // namespace wordgleaner
