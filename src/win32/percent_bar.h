#pragma once

#include <windows.h>

#include <string>

namespace wordgleaner {

// Takes over a progress control of a dialog template and answers its
// requests itself: PBM_SETRANGE32, PBM_GETRANGE, PBM_SETPOS, PBM_GETPOS,
// WM_SETTEXT and WM_GETTEXT. It paints a filled and an empty part with one
// line of text across them in inverse colours: the owner's text, or the
// percentage when the owner's text is empty. The object must outlive the
// control or be destroyed first; either way the take-over ends cleanly.
class PercentBar {
public:
    PercentBar() = default;
    ~PercentBar();
    PercentBar(const PercentBar&) = delete;
    PercentBar& operator=(const PercentBar&) = delete;

    bool Attach(HWND control);

private:
    static LRESULT CALLBACK Subclass(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT SetPosition(int newPosition);
    LRESULT SetText(WPARAM wParam, LPARAM lParam);
    LRESULT CopyText(WPARAM size, LPARAM buffer) const;
    void Paint();
    void Detach();

    HWND control = nullptr;
    int position = 0;
    int lower = 0;
    int upper = 100;
    std::string text;
    int lastFilledWidth = -1;  // -1 forces the next repaint
};

}  // namespace wordgleaner
