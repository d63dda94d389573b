#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "controls/path_browse_control.h"
#include "controls/percent_progress_bar.h"
#include "fake_message_boxes.h"
#include "job/check_point.h"
#include "job/recovery_job.h"
#include "scripted_path_chooser.h"
#include "support/check_point_hold.h"
#include "support/temp_dir.h"
#include "ui/main_dialog.h"
#include "ui/version_source.h"

namespace wordgleaner {

// Drags a local path over the widget and drops it there, as a file manager
// would; true when the widget took it.
inline bool DropPath(QWidget& target, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = target.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    return drop.isAccepted();
}

// Replaces the field's text by typing.
inline void TypeInto(PathBrowseControl& field, const QString& text) {
    field.Edit()->selectAll();
    QTest::keyClicks(field.Edit(), text);
}

// A reference pair and a mod folder of two files, dialog.tra (one text
// found, one not) and farewell.tra (one found), and an empty output folder.
struct RunFolders {
    RunFolders() {
        folders.Write("ref_orig.tra",
                      "@1 = ~Hello there, traveller.~\r\n"
                      "@2 = ~Good bye~\r\n");
        folders.Write("ref_trans.tra",
                      "@1 = ~Bonjour, voyageur.~\r\n"
                      "@2 = ~Au revoir~\r\n");
        folders.Write("mod/dialog.tra",
                      "@100 = ~Hello there, traveller.~\r\n"
                      "@101 = ~Nothing like it in the reference~\r\n");
        folders.Write("mod/farewell.tra", "@7 = ~Good bye~\r\n");
        std::filesystem::create_directory(folders.Path() / "out");
    }

    QString Path(const std::string& name) const { return QString::fromLocal8Bit(folders / name); }
    std::string Recovered(const std::string& name) const {
        return test_support::TempDir::Read(folders / ("out/" + name));
    }
    bool Exists(const std::string& name) const {
        return std::filesystem::exists(folders.Path() / name);
    }

    test_support::TempDir folders;
};

// A main window with fake boxes and choosers around a real job. A test may
// hold the job's worker at a check point (hold.Arm before Import) to look at
// a run that stands still, and drives the ticks itself.
class MainDialogFixture {
public:
    enum class Threads { Available, Refused };

    explicit MainDialogFixture(Threads threads = Threads::Available, QSettings* store = nullptr)
        : chooser(std::make_shared<ScriptedPathChooser>()),
          window({messages, version, chooser, Hooks(threads),
                  [this](const QUrl& url) {
                      opened.push_back(url);
                      return openSucceeds;
                  },
                  store}) {
        window.show();
    }
    // A worker still held goes on, so that the window's job can end.
    ~MainDialogFixture() { hold.Release(); }

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
    void SetPaths(const RunFolders& run) {
        SetPaths(run.Path("ref_orig.tra"), run.Path("ref_trans.tra"), run.Path("mod"),
                 run.Path("out"));
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

    // Lets the run end and shows its end with one tick, as the timer would.
    void FinishRun() {
        hold.Release();
        window.Job().WaitForEnd();
        window.PollJob();
    }

    FakeMessageBoxes messages;
    ResourceVersionSource version;
    std::shared_ptr<ScriptedPathChooser> chooser;
    test_support::CheckPointHold hold;
    int starts = 0;            // worker threads made
    std::vector<QUrl> opened;  // what the window would have opened in the user's programs
    bool openSucceeds = true;
    MainDialog window;

private:
    JobHooks Hooks(Threads threads) {
        JobHooks hooks;
        hooks.atCheckPoint = [this](CheckPoint point) {
            hold.Pass(point);
            return false;
        };
        hooks.makeThread = [this, threads](std::function<void()> body) {
            if (threads == Threads::Refused) {
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            }
            ++starts;
            return std::jthread(std::move(body));
        };
        return hooks;
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
