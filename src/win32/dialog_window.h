#pragma once

#include <windows.h>

#include <optional>

namespace wordgleaner {

// A dialog made from a template of the resource script, whose object keeps
// its state: the dialog procedure finds the object in GWLP_USERDATA. The
// program runs the dialogs modally; the tests open them modeless, so that
// they can drive them with messages from their own thread.
class DialogWindow {
public:
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Returns the command that ended the dialog (IDOK, IDCANCEL), or -1 when
    // it could not be made.
    INT_PTR RunModal(HWND owner);
    // Shows the dialog and returns at once; null when it could not be made.
    HWND OpenModeless(HWND owner);

    HWND Handle() const { return window; }
    // How a modeless dialog ended; nothing while it is open.
    std::optional<INT_PTR> Ended() const { return ending; }

protected:
    explicit DialogWindow(int templateId) : templateId(templateId) {}

    // Ends a modal run, or closes a modeless dialog, with this result.
    void Finish(INT_PTR result);
    HWND Item(int id) const { return GetDlgItem(window, id); }

    // A message for the dialog; returns true when handled (the dialog's
    // result is then `handledResult`), false for the default handling.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    INT_PTR handledResult = 0;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId;
    HWND window = nullptr;
    bool modal = false;
    std::optional<INT_PTR> ending;
};

}  // namespace wordgleaner
