#include "system_menu.h"

namespace wordgleaner {

// Platforms whose window managers own the title bar menu: the About item is
// offered in the window's context menu and on F1 instead.
bool AppendAboutToSystemMenu(QWidget&, const QString&) {
    return false;
}

bool IsAboutSystemCommand(const QByteArray&, void*) {
    return false;
}

}  // namespace wordgleaner
