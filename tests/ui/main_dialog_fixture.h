#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

#include "controls/path_browse_control.h"
#include "controls/percent_progress_bar.h"
#include "fake_message_boxes.h"
#include "scripted_path_chooser.h"
#include "ui/main_dialog.h"
#include "ui/version_source.h"

namespace wordgleaner {

// A main window with fake boxes and choosers. Unless a test asks for the real
// worker, starting a run only counts the start: the test then plays the
// worker's part by writing the job's fields, and drives the ticks itself.
class MainDialogFixture {
public:
    explicit MainDialogFixture(JobStarter starter = {})
        : playsWorker(!starter),
          chooser(std::make_shared<ScriptedPathChooser>()),
          window({messages, version, chooser, playsWorker ? CountingStarter() : starter}) {
        window.show();
    }
    ~MainDialogFixture() {
        // A played run that the test left open ends here, so the window does
        // not wait for it. A real worker is waited for by the window itself.
        if (playsWorker) {
            window.Job().filePercent = 100;
        }
    }

    PathBrowseControl* Field(const char* name) {
        return window.findChild<PathBrowseControl*>(name);
    }
    PercentProgressBar* Bar(const char* name) {
        return window.findChild<PercentProgressBar*>(name);
    }
    QPushButton* Button(const char* name) { return window.findChild<QPushButton*>(name); }

    void SetPaths(const QString& referenceOriginal, const QString& referenceTranslated,
                  const QString& modDirectory, const QString& destinationDirectory) {
        Field("referenceOriginalField")->SetPath(referenceOriginal);
        Field("referenceTranslatedField")->SetPath(referenceTranslated);
        Field("modDirectoryField")->SetPath(modDirectory);
        Field("destinationDirectoryField")->SetPath(destinationDirectory);
    }

    std::vector<QWidget*> Inputs() {
        return {Field("referenceOriginalField"), Field("referenceTranslatedField"),
                Field("modDirectoryField"),      Field("destinationDirectoryField"),
                Button("importButton"),          Button("preferencesButton")};
    }
    bool InputsEnabled() {
        auto inputs = Inputs();
        return std::all_of(inputs.begin(), inputs.end(), [](QWidget* w) { return w->isEnabled(); });
    }
    bool InputsDisabled() {
        auto inputs = Inputs();
        return std::none_of(inputs.begin(), inputs.end(),
                            [](QWidget* w) { return w->isEnabled(); });
    }

    // Ends the run that the test plays, as the worker would.
    void FinishJob(int status, const std::string& progressText) {
        window.Job().status = status;
        window.Job().progressText.Set(progressText);
        window.Job().filePercent = 100;
    }

    const bool playsWorker;
    FakeMessageBoxes messages;
    ResourceVersionSource version;
    std::shared_ptr<ScriptedPathChooser> chooser;
    int starts = 0;
    MainDialog window;

private:
    JobStarter CountingStarter() {
        return [this](RecoveryJob&) {
            ++starts;
            return true;
        };
    }
};

// Runs the action on the modal dialog of the given type once it is open. A
// different modal window is closed, so a wrong turn fails instead of hanging.
template <typename Dialog, typename Action>
void WhenModalOpens(Action action, int turnsLeft = 100) {
    QTimer::singleShot(0, [action, turnsLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (turnsLeft > 0) {  // not open yet: look again on the next turn
                WhenModalOpens<Dialog>(action, turnsLeft - 1);
            }
        } else if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            action(*dialog);
        } else {
            modal->close();
        }
    });
}

}  // namespace wordgleaner
