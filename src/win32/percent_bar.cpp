#include "win32/percent_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "frontend/bar_arithmetic.h"
#include "win32/window_text.h"

namespace wordgleaner {

namespace {

constexpr UINT_PTR SubclassId = 1;
constexpr UINT TextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

// Draws the text in `colour`, clipped to `part`, laid out over the whole bar.
void DrawTextPart(HDC dc, const RECT& client, const RECT& part, const std::string& text,
                  COLORREF colour) {
    HRGN clip = CreateRectRgnIndirect(&part);
    SelectClipRgn(dc, clip);
    SetTextColor(dc, colour);
    RECT layout = client;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &layout, TextFormat);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
}

void FillPart(HDC dc, const RECT& part, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &part, nullptr, 0, nullptr);
}

}  // namespace

PercentBar::~PercentBar() {
    Detach();
}

bool PercentBar::Attach(HWND newControl) {
    Detach();
    if (!newControl || !SetWindowSubclass(newControl, &PercentBar::Subclass, SubclassId,
                                          reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    control = newControl;
    return true;
}

void PercentBar::Detach() {
    if (control) {
        RemoveWindowSubclass(control, &PercentBar::Subclass, SubclassId);
        control = nullptr;
    }
}

LRESULT CALLBACK PercentBar::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR self) {
    auto* bar = reinterpret_cast<PercentBar*>(self);
    if (message == WM_NCDESTROY) {
        bar->Detach();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return bar->Handle(message, wParam, lParam);
}

LRESULT PercentBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case PBM_SETRANGE32:
            lower = static_cast<int>(wParam);
            upper = static_cast<int>(lParam);
            return 0;
        case PBM_GETRANGE:
            if (lParam) {
                *reinterpret_cast<PBRANGE*>(lParam) = {lower, upper};
            }
            return wParam ? lower : upper;
        case PBM_SETPOS:
            return SetPosition(static_cast<int>(wParam));
        case PBM_GETPOS:
            return position;
        case WM_SETTEXT:
            return SetText(wParam, lParam);
        case WM_GETTEXT:
            return CopyText(wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(WideText(text).size());
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            lastFilledWidth = -1;
            break;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

// A change too small to move the bar's edge costs no repaint.
LRESULT PercentBar::SetPosition(int newPosition) {
    const int previous = position;
    position = newPosition;
    RECT client;
    GetClientRect(control, &client);
    const int filled =
        FilledLength(client.right - client.left, BarFraction(position, lower, upper));
    if (filled != lastFilledWidth) {
        lastFilledWidth = filled;
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return previous;
}

// The common controls' windows take their texts in UTF-16 (the system turns
// an 8-bit WM_SETTEXT into one); the bar keeps them in the system code page,
// as the job gives them.
LRESULT PercentBar::SetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefSubclassProc(control, WM_SETTEXT, wParam, lParam);
    const std::string given = NarrowText(reinterpret_cast<const wchar_t*>(lParam));
    if (given != text) {
        text = given;
        InvalidateRect(control, nullptr, TRUE);
    }
    return result;
}

LRESULT PercentBar::CopyText(WPARAM size, LPARAM buffer) const {
    if (size == 0 || !buffer) {
        return 0;
    }
    const std::wstring wide = WideText(text);
    const std::size_t copied = std::min<std::size_t>(wide.size(), size - 1);
    auto* target = reinterpret_cast<wchar_t*>(buffer);
    std::wmemcpy(target, wide.data(), copied);
    target[copied] = L'\0';
    return static_cast<LRESULT>(copied);
}

// Composed off screen and copied in one block, so the bar never flickers.
void PercentBar::Paint() {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(control, &paint);
    RECT client;
    GetClientRect(control, &client);
    if (lower < upper && client.right > 0 && client.bottom > 0) {
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        HGDIOBJ oldFont = SelectObject(
            dc, reinterpret_cast<HFONT>(SendMessageA(GetParent(control), WM_GETFONT, 0, 0)));
        const double fraction = BarFraction(position, lower, upper);
        const int edge = std::clamp(FilledLength(client.right, fraction), 0, int{client.right});
        const RECT filled = {0, 0, edge, client.bottom};
        const RECT empty = {edge, 0, client.right, client.bottom};
        const COLORREF barColour = GetSysColor(COLOR_HIGHLIGHT);
        const COLORREF backgroundColour = GetSysColor(COLOR_WINDOW);
        FillPart(dc, filled, barColour);
        FillPart(dc, empty, backgroundColour);
        SetBkMode(dc, TRANSPARENT);
        const std::string shown = BarText(text, fraction);
        DrawTextPart(dc, client, filled, shown, backgroundColour);
        DrawTextPart(dc, client, empty, shown, barColour);
        BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    EndPaint(control, &paint);
}

}  // namespace wordgleaner
