#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "frontend/preferences_values.h"
#include "frontend/run_controller.h"
#include "win32/anchor_layout.h"
#include "win32/dialog_window.h"
#include "win32/main_path_fields.h"
#include "win32/percent_bar.h"
#include "win32/window_run_view.h"

namespace wordgleaner {

class MessageBoxes;

// What the main window talks to besides its own controls; tests replace them.
struct MainWindowServices {
    MessageBoxes& messages;
    // The INI file of the remembered paths and settings; empty: nothing is
    // remembered.
    std::string settingsFile = {};
    // Opens a page or folder in the user's programs; empty: the shell.
    std::function<bool(const std::string& target)> open = {};
    JobHooks jobHooks = {};
};

// The program's one window over the Windows API: the four paths, the bars,
// and the Preferences and About boxes. Its run controller decides everything
// about a run; the window forwards its messages there, and its view shows
// what the controller tells.
class MainWindow : public DialogWindow {
public:
    explicit MainWindow(MainWindowServices services);

    bool JobRunning() const { return controller.Running(); }
    RecoveryJob& Job() { return controller.Job(); }
    const PreferencesValues& CurrentPreferences() const { return preferences; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool HandleCommand(int id, int code);
    void Initialize();
    void CaptureLayout();
    RunRequest Request() const;
    void StartRun();
    void Poll();
    void ChangePreferences();
    void Cancel();
    void DropFiles(HDROP drop);
    void Restore();
    void Remember() const;

    MainWindowServices services;
    PreferencesValues preferences;
    MainPathFields fields;
    PercentBar filesBar;
    PercentBar entriesBar;
    AnchorLayout layout;
    WindowRunView view;
    // A window closed by other means than its Cancel command (the process
    // shutting down) takes the controller's job with it, which stops a run
    // still going on and waits for its worker; last, so it goes first.
    RunController controller;
};

}  // namespace wordgleaner
