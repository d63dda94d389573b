#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

#include "dialog_run_view.h"
#include "frontend/preferences_values.h"
#include "frontend/run_controller.h"

class QGridLayout;
class QLabel;
class QSettings;
class QUrl;

namespace wordgleaner {

class MessageBoxes;
class PathChooser;
class ReferencePairList;
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

// The program's one window on Qt widgets: the four paths, the further
// reference pairs, the bars, and the Preferences and About boxes. Its run
// controller decides everything about a run; the window forwards its events
// there, and its view shows what the controller tells.
class MainDialog : public QDialog {
    Q_OBJECT

public:
    explicit MainDialog(MainDialogServices services, QWidget* parent = nullptr);

    const RecoveryOptions& Settings() const { return preferences.options; }
    RecoveryJob& Job() { return controller.Job(); }
    bool JobRunning() const { return controller.Running(); }
    bool PollTimerActive() const { return view.PollTimerActive(); }

public slots:
    void StartRun();
    void ChangeSettings();
    // One tick of the poll timer.
    void PollJob();
    void ShowAbout();
    // Quit, Escape and the close box.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The window got the focus back: the disk may have changed behind it.
    void changeEvent(QEvent* event) override;
    // Every way the window closes passes here; it keeps what is to be
    // remembered.
    void done(int result) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void BuildControls();
    void OfferAboutCommand();
    void ShowReferenceKind();
    void GiveHeightToPairs(bool anyPair);
    RunRequest Request() const;
    void Restore();
    void Remember();

    MainDialogServices services;
    PreferencesValues preferences;  // the further pairs are the list's
    RunWidgets widgets;
    std::array<QLabel*, PathFieldCount> labels{};
    QGridLayout* grid = nullptr;
    int pairsRow = 0;  // the further pairs' row of the grid
    int spareRow = 0;  // the empty row that takes the height the pairs do not
    ReferencePairList* furtherReferences = nullptr;
    PathBrowseControl* decisionsField = nullptr;  // optional: a review's decisions
    DialogRunView view;
    RunController controller;  // last, so a run still going on stops first
};

}  // namespace wordgleaner
