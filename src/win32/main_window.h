#pragma once

#include <windows.h>

#include <array>
#include <chrono>
#include <functional>
#include <string>

#include "frontend/path_fields.h"
#include "job/recovery_job.h"
#include "win32/anchor_layout.h"
#include "win32/dialog_window.h"
#include "win32/path_browse_field.h"
#include "win32/percent_bar.h"

#include <shellapi.h>
#include "win32/preferences_window.h"

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

// The program's one window: the four paths, the preferences, one recovery
// job that it polls every 100 ms while it runs, and the Preferences and
// About boxes.
class MainWindow : public DialogWindow {
public:
    static constexpr UINT PollIntervalMs = 100;

    explicit MainWindow(MainWindowServices services);

    bool JobRunning() const { return jobRunning; }
    RecoveryJob& Job() { return job; }
    const Preferences& CurrentPreferences() const { return preferences; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool HandleCommand(int id, int code);
    void Initialize();
    void AttachControls();
    void CaptureLayout();
    void OfferAboutCommand();
    void SetIcons();
    void ShowReferenceKind();
    void StartRun();
    bool PathsAccepted(const RunPaths& paths);
    bool DestinationAccepted(const JobInputs& inputs);
    void BeginRunning();
    void Poll();
    void ShowProgress(const ProgressSnapshot& progress);
    void ShowEnd(const ProgressSnapshot& end);
    void OpenTarget(const std::string& target);
    void ChangePreferences();
    void Cancel();
    void SetInputsEnabled(bool enabled);
    void SetQuitText();
    void DropFiles(HDROP drop);
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    RunPaths CurrentPaths() const;
    void Restore();
    void Remember() const;

    MainWindowServices services;
    Preferences preferences;
    std::array<PathBrowseField, PathFieldCount> fields;
    PercentBar filesBar;
    PercentBar entriesBar;
    AnchorLayout layout;
    bool jobRunning = false;
    std::chrono::steady_clock::time_point runStart;
    // A window closed by other means than its Cancel command (the process
    // shutting down) takes the job with it, which stops a run still going
    // on and waits for its worker; last, so it goes first.
    RecoveryJob job;
};

}  // namespace wordgleaner
