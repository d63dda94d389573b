#pragma once

class QByteArray;
class QString;
class QWidget;

namespace wordgleaner {

// The command id of the About item in the window's system menu.
constexpr unsigned AboutCommandId = 0x0010;

// Appends a separator and the About item to the window's system menu. Returns
// false where the platform gives the window no system menu to extend.
bool AppendAboutToSystemMenu(QWidget& window, const QString& itemText);

// Whether a native event is the choice of the About item in the system menu.
bool IsAboutSystemCommand(const QByteArray& eventType, void* message);

}  // namespace wordgleaner
