// Renders the pictures of the README: the About box, the Preferences dialog
// and the main window during a run. Usage: ui_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTextStream>

#include "fake_message_boxes.h"
#include "ui/about_dialog.h"
#include "ui/preferences_dialog.h"
#include "ui/ui_resources.h"
#include "ui/version_source.h"

namespace {

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
    PreferencesDialog preferences(messages);
    const bool saved =
        Save(about, folder, "about.png") && Save(preferences, folder, "preferences.png");
    return saved ? 0 : 1;
}
