#pragma once

#include <QDialog>
#include <QTimer>

#include <array>
#include <chrono>
#include <functional>
#include <memory>

#include "job/recovery_job.h"
#include "job/recovery_options.h"

class QAction;
class QGridLayout;
class QLabel;
class QSettings;
class QPushButton;
class QUrl;

namespace wordgleaner {

class MessageBoxes;
class PreferencesDialog;
class PathBrowseControl;
class PathChooser;
class ReferencePairList;
class PercentProgressBar;
class VersionSource;

// What the main window talks to besides its own controls; tests replace them.
struct MainDialogServices {
    MessageBoxes& messages;
    const VersionSource& version;
    std::shared_ptr<PathChooser> chooser;  // none: the standard choosers
    JobHooks jobHooks;                     // empty: a plain worker thread, no hook
    // Opens a page or folder in the user's programs; empty: QDesktopServices.
    std::function<bool(const QUrl&)> openUrl = {};
    // Where paths, settings and the window's size are kept between runs;
    // none: nothing is remembered. Not owned.
    QSettings* store = nullptr;
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
    void keyPressEvent(QKeyEvent* event) override;
    // Every way the window closes passes here; it keeps what is to be
    // remembered.
    void done(int result) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void BuildControls();
    void ConfigurePathFields();
    void LetPathsBeTyped();
    void AllowResizing(QGridLayout& layout);
    void RestoreRemembered();
    void RememberPaths();
    void RememberSettings();
    std::array<PathBrowseControl*, 4> PathFields() const;
    void OfferAboutCommand();
    void SetInputsEnabled(bool enabled);
    bool PathsFilledIn();
    void ShowReferenceKind();
    ReferencePairs ReferencesToSearch() const;
    bool ReferencesAccepted(const ReferencePairs& references);
    void ShowProgress(const ProgressSnapshot& progress);
    void ShowEnd(const ProgressSnapshot& end);
    void Open(const QUrl& url);
    // The destination checks before a run: false when the run must not start.
    bool DestinationAccepted(const JobInputs& inputs);
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
    ReferencePairList* furtherReferences = nullptr;
    bool referenceFolders = false;        // the two reference fields name folders
    std::array<QLabel*, 4> pathLabels{};  // in the order of PathFields()
    PercentProgressBar* filesBar = nullptr;
    PercentProgressBar* entriesBar = nullptr;
    QLabel* timeLabel = nullptr;  // elapsed time and the time left of a run
    std::chrono::steady_clock::time_point runStart;
    QPushButton* importButton = nullptr;
    QPushButton* preferencesButton = nullptr;
    QPushButton* quitButton = nullptr;
};

}  // namespace wordgleaner
