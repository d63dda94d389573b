#pragma once

#include <QDialog>
#include <QTimer>

#include <memory>

#include "job/recovery_job.h"
#include "job/recovery_options.h"

class QAction;
class QPushButton;

namespace wordgleaner {

class MessageBoxes;
class PreferencesDialog;
class PathBrowseControl;
class PathChooser;
class PercentProgressBar;
class VersionSource;

// What the main window talks to besides its own controls; tests replace them.
struct MainDialogServices {
    MessageBoxes& messages;
    const VersionSource& version;
    std::shared_ptr<PathChooser> chooser;  // none: the standard choosers
    JobHooks jobHooks;                     // empty: a plain worker thread, no hook
};

// The program's one window: the four paths, the settings, one recovery job
// that it polls while it runs, and the Preferences and About boxes.
class MainDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int PollIntervalMs = 100;

    explicit MainDialog(MainDialogServices services, QWidget* parent = nullptr);

    const RecoveryOptions& Settings() const { return settings; }
    RecoveryJob& Job() { return job; }
    bool JobRunning() const { return jobRunning; }
    bool PollTimerActive() const { return pollTimer.isActive(); }

public slots:
    // Import: checks the four paths and starts a run.
    void StartRun();
    // Preferences...: edits the settings in their dialog.
    void ChangeSettings();
    // One tick of the poll timer: shows the job's progress, and its end once
    // the job has ended.
    void PollJob();
    void ShowAbout();
    // Quit, Escape and the close box: while a run goes on they only ask the
    // job to stop.
    void reject() override;

protected:
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void BuildControls();
    void ConfigurePathFields();
    void OfferAboutCommand();
    void SetInputsEnabled(bool enabled);
    void ShowEnd(const ProgressSnapshot& end);
    // The destination checks before a run: false when the run must not start.
    bool DestinationAccepted(const JobInputs& inputs);
    void ShowFailureOrStop(const ProgressSnapshot& end);
    void CopyFailureSettings(const PreferencesDialog& dialog);

    MainDialogServices services;
    RecoveryOptions settings;
    // A window closed by other means than its Cancel command (the process
    // shutting down) takes the job with it, which stops a run still going on
    // and waits for its worker.
    RecoveryJob job;
    bool jobRunning = false;
    QTimer pollTimer;

    PathBrowseControl* referenceOriginalField = nullptr;
    PathBrowseControl* referenceTranslatedField = nullptr;
    PathBrowseControl* modDirectoryField = nullptr;
    PathBrowseControl* destinationDirectoryField = nullptr;
    PercentProgressBar* filesBar = nullptr;
    PercentProgressBar* entriesBar = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* preferencesButton = nullptr;
    QPushButton* quitButton = nullptr;
};

}  // namespace wordgleaner
