// Renders the pictures of the README offscreen: the About box, the
// Preferences dialog, the main window at rest and during a run, and the box
// that ends a successful run. Usage: ui_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "controls/path_browse_control.h"
#include "fake_message_boxes.h"
#include "frontend/remembered_settings.h"
#include "ui/about_dialog.h"
#include "ui/local_text.h"
#include "ui/main_dialog.h"
#include "ui/message_boxes.h"
#include "ui/preferences_dialog.h"
#include "ui/reference_pair_list.h"
#include "ui/ui_resources.h"
#include "ui/version_source.h"

using namespace wordgleaner;

namespace {

// Big enough that a run lasts a few seconds, so it can be caught half-way.
constexpr int ReferenceEntries = 30000;
constexpr int ModFiles = 5;
constexpr int ModEntriesPerFile = 3000;
constexpr qint64 RunTimeoutMs = 120000;

const std::vector<std::string> Words = {
    "the",    "guard",  "bridge", "old",    "river",   "lord",   "lady",  "gold",
    "you",    "shall",  "return", "with",   "pelts",   "writ",   "north", "gate",
    "friend", "reward", "sword",  "travel", "village", "temple", "night", "dark",
    "come",   "back",   "when",   "have",   "watch",   "step",   "kind",  "hero"};

class TextMaker {
public:
    std::string Sentence() {
        std::uniform_int_distribution<int> length(5, 14);
        std::uniform_int_distribution<std::size_t> word(0, Words.size() - 1);
        std::string text;
        for (int count = length(random); count > 0; --count) {
            text += (text.empty() ? "" : " ") + Words[word(random)];
        }
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
        return text + ".";
    }
    int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }

private:
    std::mt19937 random{20240611};
};

void WriteTraFile(const QString& path, const std::vector<std::string>& texts, int firstId) {
    std::ofstream out(path.toLocal8Bit().toStdString(), std::ios::binary);
    for (std::size_t index = 0; index < texts.size(); ++index) {
        out << '@' << firstId + static_cast<int>(index) << " = ~" << texts[index] << "~\r\n";
    }
}

// A reference pair and a mod folder: a third of the mod's texts copied from
// the reference, a third changed by one word, a third new.
void WriteRunData(const QDir& root) {
    TextMaker maker;
    std::vector<std::string> original;
    std::vector<std::string> translated;
    for (int index = 0; index < ReferenceEntries; ++index) {
        original.push_back(maker.Sentence());
        translated.push_back("[fr] " + original.back());
    }
    root.mkpath("reference");
    root.mkpath("westmarch/tra/english");
    root.mkpath("westmarch/tra/french");
    WriteTraFile(root.filePath("reference/english.tra"), original, 1);
    WriteTraFile(root.filePath("reference/french.tra"), translated, 1);
    // A small further pair of lower priority, as a game's patch would bring.
    WriteTraFile(root.filePath("reference/patch_english.tra"), {original.front()}, 1);
    WriteTraFile(root.filePath("reference/patch_french.tra"), {translated.front()}, 1);
    const char* names[ModFiles] = {"areas", "dialog", "items", "journal", "setup"};
    for (const char* name : names) {
        std::vector<std::string> texts;
        for (int index = 0; index < ModEntriesPerFile; ++index) {
            std::string text = original[maker.Pick(ReferenceEntries)];
            switch (index % 3) {
                case 1:
                    text.insert(text.size() - 1, " again");
                    break;
                case 2:
                    text = maker.Sentence();
                    break;
            }
            texts.push_back(text);
        }
        WriteTraFile(root.filePath(QString("westmarch/tra/english/%1.tra").arg(name)), texts, 100);
    }
}

bool Save(QWidget& widget, const QDir& folder, const QString& name) {
    widget.show();
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    if (!widget.grab().save(path)) {
        QTextStream(stderr) << "Cannot write " << path << "\n";
        return false;
    }
    return true;
}

bool BothBarsMoving(const RecoveryJob& job) {
    const ProgressSnapshot progress = job.Snapshot();
    const int files = progress.filePercent;
    const int entries = progress.entryPercent;
    return files >= 20 && files <= 80 && entries >= 30 && entries <= 70;
}

void SetRunPaths(MainDialog& window, const QDir& root) {
    const std::pair<const char*, const char*> paths[] = {
        {"referenceOriginalField", "reference/english.tra"},
        {"referenceTranslatedField", "reference/french.tra"},
        {"modDirectoryField", "westmarch/tra/english"},
        {"destinationDirectoryField", "westmarch/tra/french"}};
    for (auto [field, path] : paths) {
        window.findChild<PathBrowseControl*>(field)->SetPath(root.filePath(path));
    }
    window.findChild<ReferencePairList*>("furtherReferences")
        ->SetPairs({{ToLocalText(root.filePath("reference/patch_english.tra")),
                     ToLocalText(root.filePath("reference/patch_french.tra"))}});
}

// Lets the run go on, running the action at every turn, until it has ended
// or the time is up.
template <typename Action>
void WhileRunning(const MainDialog& window, Action action) {
    QElapsedTimer clock;
    clock.start();
    while (window.JobRunning() && clock.elapsed() < RunTimeoutMs) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        action();
    }
}

// Shows the window at rest, then starts a real run and grabs the window at a
// tick that shows both bars half-way, then aborts the run and waits for its
// end.
bool SaveMainWindowAtRestAndDuringARun(const QDir& folder, const QDir& root) {
    FakeMessageBoxes messages;
    ResourceVersionSource version;
    MainDialog window({messages, version, nullptr, {}});
    SetRunPaths(window, root);
    if (!Save(window, folder, "main-window.png")) {
        return false;
    }
    window.StartRun();

    bool saved = false;
    WhileRunning(window, [&] {
        if (!saved && BothBarsMoving(window.Job())) {
            window.PollJob();  // show exactly what the job holds now
            saved = Save(window, folder, "main-window-run.png");
            window.reject();  // Abort
        }
    });
    if (!saved) {
        QTextStream(stderr) << "The run never showed both bars half-way\n";
    }
    return saved && !window.JobRunning();
}

// Grabs the first modal box that opens, then closes it.
void GrabModalBoxWhenItOpens(const QString& path, bool* saved, int turnsLeft = 1000) {
    QTimer::singleShot(10, [path, saved, turnsLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (turnsLeft > 0) {
                GrabModalBoxWhenItOpens(path, saved, turnsLeft - 1);
            }
            return;
        }
        *saved = modal->grab().save(path);
        modal->close();
    });
}

// A whole run with the review page asked for, ending in the real box with
// its buttons that open the page and the folder.
bool SaveEndBox(const QDir& folder, const QDir& root) {
    QSettings store(root.filePath("wordgleaner.ini"), QSettings::IniFormat);
    store.setValue(QString::fromStdString(settings_keys::WriteReview.Path()), true);
    QtMessageBoxes messages;
    ResourceVersionSource version;
    MainDialog window({messages, version, nullptr, {}, {}, &store});
    SetRunPaths(window, root);
    // What the stopped run wrote would be asked about first.
    QDir destination(root.filePath("westmarch/tra/french"));
    destination.removeRecursively();
    destination.mkpath(".");
    window.show();
    bool saved = false;
    GrabModalBoxWhenItOpens(folder.filePath("end-box.png"), &saved);
    window.StartRun();
    WhileRunning(window, [] {});
    if (!saved) {
        QTextStream(stderr) << "The end box never showed\n";
    }
    return saved;
}

bool SaveRunPictures(const QDir& folder) {
    QTemporaryDir work(QDir::temp().filePath("wordgleaner-XXXXXX"));
    const QDir root(work.path());
    WriteRunData(root);
    return SaveMainWindowAtRestAndDuringARun(folder, root) && SaveEndBox(folder, root);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "Usage: ui_screenshots OUTPUT_FOLDER\n";
        return 2;
    }
    LoadUiResources();
    QApplication::setWindowIcon(ApplicationIcon());
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    FakeMessageBoxes messages;
    ResourceVersionSource version;
    AboutDialog about(version);
    PreferencesDialog preferences(messages, PreferencesValues());
    const bool saved = Save(about, folder, "about.png") &&
                       Save(preferences, folder, "preferences.png") && SaveRunPictures(folder);
    return saved ? 0 : 1;
}
