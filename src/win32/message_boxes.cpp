#include "win32/message_boxes.h"

#include <commctrl.h>

#include "win32/window_text.h"

namespace wordgleaner {

namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Warning:
            return MB_ICONWARNING;
        case MessageIcon::Error:
            return MB_ICONERROR;
        case MessageIcon::None:
            break;
    }
    return 0;
}

PCWSTR TaskIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Warning:
            return TD_WARNING_ICON;
        case MessageIcon::Error:
            return TD_ERROR_ICON;
        case MessageIcon::None:
            break;
    }
    return nullptr;
}

// The first button's id; the others follow it.
constexpr int FirstButtonId = 100;

}  // namespace

void SystemMessageBoxes::Show(HWND owner, MessageIcon icon, const std::string& caption,
                              const std::string& text) {
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | IconStyle(icon));
}

int SystemMessageBoxes::Ask(HWND owner, MessageIcon icon, const std::string& caption,
                            const std::string& text, const std::vector<std::string>& buttons) {
    std::vector<std::wstring> labels;
    for (const std::string& button : buttons) {
        labels.push_back(WideText(button));
    }
    std::vector<TASKDIALOG_BUTTON> taskButtons;
    for (std::size_t index = 0; index < labels.size(); ++index) {
        taskButtons.push_back({FirstButtonId + static_cast<int>(index), labels[index].c_str()});
    }
    const std::wstring wideCaption = WideText(caption);
    const std::wstring wideText = WideText(text);
    TASKDIALOGCONFIG config = {};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    // Command links, one under the other across the box: each shows its
    // whole label, where push buttons are sized by the system (Wine's cut
    // "Open destination folder").
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_USE_COMMAND_LINKS;
    config.pszWindowTitle = wideCaption.c_str();
    config.pszMainIcon = TaskIcon(icon);
    config.pszContent = wideText.c_str();
    config.cButtons = static_cast<UINT>(taskButtons.size());
    config.pButtons = taskButtons.data();
    int pressed = 0;
    if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr)) ||
        pressed < FirstButtonId) {
        return -1;
    }
    return pressed - FirstButtonId;
}

bool SystemMessageBoxes::Confirm(HWND owner, const std::string& caption, const std::string& text,
                                 DefaultAnswer preferred) {
    const UINT defaultButton = preferred == DefaultAnswer::Yes ? MB_DEFBUTTON1 : MB_DEFBUTTON2;
    return MessageBoxA(owner, text.c_str(), caption.c_str(),
                       MB_YESNO | defaultButton | MB_ICONQUESTION) == IDYES;
}

}  // namespace wordgleaner
