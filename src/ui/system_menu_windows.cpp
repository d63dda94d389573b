#include "system_menu.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <string>

#include <windows.h>

namespace wordgleaner {

namespace {

// System commands keep their low four bits for the system's own use.
constexpr WPARAM SystemCommandMask = 0xFFF0;

}  // namespace

bool AppendAboutToSystemMenu(QWidget& window, const QString& itemText) {
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (menu == nullptr || itemText.isEmpty()) {
        return false;
    }
    const std::wstring text = itemText.toStdWString();
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, AboutCommandId, text.c_str());
    return true;
}

bool IsAboutSystemCommand(const QByteArray& eventType, void* message) {
    if (eventType != "windows_generic_MSG") {
        return false;
    }
    const auto* msg = static_cast<const MSG*>(message);
    return msg->message == WM_SYSCOMMAND && (msg->wParam & SystemCommandMask) == AboutCommandId;
}

}  // namespace wordgleaner
