#include "win32/dialog_window.h"

namespace wordgleaner {

// The object of the derived dialog is gone by now: the window's last
// messages go to the default handling alone.
DialogWindow::~DialogWindow() {
    if (window && !modal) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

INT_PTR DialogWindow::RunModal(HWND owner) {
    modal = true;
    ending.reset();
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                           &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
}

HWND DialogWindow::OpenModeless(HWND owner) {
    modal = false;
    ending.reset();
    HWND made = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                                   &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
    if (made) {
        ShowWindow(made, SW_SHOW);
    }
    return made;
}

void DialogWindow::Finish(INT_PTR result) {
    ending = result;
    if (modal) {
        EndDialog(window, result);
    } else {
        DestroyWindow(window);
    }
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        reinterpret_cast<DialogWindow*>(lParam)->window = dialog;
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (!self) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        self->window = nullptr;
        SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
        return FALSE;
    }
    self->handledResult = TRUE;
    if (!self->HandleMessage(message, wParam, lParam)) {
        return FALSE;
    }
    return self->handledResult;
}

}  // namespace wordgleaner
