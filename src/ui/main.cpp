// Application start-up: one main window, run modally; the process ends with it.
#include <QApplication>

#include "ui/main_dialog.h"
#include "ui/message_boxes.h"
#include "ui/ui_resources.h"
#include "ui/version_source.h"

using namespace wordgleaner;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wordgleaner"));
    LoadUiResources();
    QApplication::setWindowIcon(ApplicationIcon());

    QtMessageBoxes messages;
    ResourceVersionSource version;
    MainDialog window({messages, version, nullptr, {}});
    window.exec();
    return 0;
}
