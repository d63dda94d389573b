// Application start-up: one main window, run modally; the process ends with it.
#include <QApplication>
#include <QSettings>
#include <csignal>

#include "ui/main_dialog.h"
#include "ui/message_boxes.h"
#include "ui/ui_resources.h"
#include "ui/version_source.h"

using namespace wordgleaner;

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // A file-size limit (ulimit -f) fails the write it stops, which the run
    // tells as it tells a full disk, instead of ending the program unseen.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Wordgleaner"));
    QApplication::setApplicationName(QStringLiteral("Wordgleaner"));
    // Lets the desktop match the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("wordgleaner"));
    LoadUiResources();
    QApplication::setWindowIcon(ApplicationIcon());

    QtMessageBoxes messages;
    ResourceVersionSource version;
    QSettings store;  // the user's settings of this program, in the platform's usual place
    MainDialog window({messages, version, nullptr, {}, {}, &store});
    window.exec();
    return 0;
}
