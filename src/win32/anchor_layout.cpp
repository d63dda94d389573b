#include "win32/anchor_layout.h"

#include <algorithm>
#include <string>

namespace wordgleaner {

namespace {

// The DPI a window is drawn at; GetDpiForWindow is missing before Windows 10.
int WindowDpi(HWND window) {
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

// The width a static text needs to show its text whole, in its own font.
int TextWidth(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    HDC dc = GetDC(control);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT needed = {};
    DrawTextA(dc, text.c_str(), length, &needed, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return needed.right;
}

bool IsStaticText(HWND control) {
    char name[16] = {};
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Static") == 0;
}

void ScaleRect(RECT& rect, int to, int from) {
    rect = {MulDiv(rect.left, to, from), MulDiv(rect.top, to, from), MulDiv(rect.right, to, from),
            MulDiv(rect.bottom, to, from)};
}

}  // namespace

void AnchorLayout::Capture(HWND owner, std::vector<Anchor> anchors) {
    dialog = owner;
    dpi = WindowDpi(dialog);
    RECT client;
    GetClientRect(dialog, &client);
    initialClient = {client.right, client.bottom};
    RECT window;
    GetWindowRect(dialog, &window);
    minimumTrack = {window.right - window.left, window.bottom - window.top};
    controls.clear();
    for (const Anchor& anchor : anchors) {
        RECT place;
        GetWindowRect(GetDlgItem(dialog, anchor.id), &place);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&place), 2);
        controls.push_back({anchor, place});
    }
    minimumTrack.x -= NarrowestShrink();
}

// How much narrower than the template the dialog may get.
int AnchorLayout::NarrowestShrink() const {
    int shrink = initialClient.cx;
    for (const Placed& placed : controls) {
        if (!placed.anchor.stretchWidth) {
            continue;
        }
        HWND control = GetDlgItem(dialog, placed.anchor.id);
        const int width = placed.initial.right - placed.initial.left;
        const int narrowest = IsStaticText(control) ? TextWidth(control) : width / 2;
        shrink = std::min(shrink, std::max(0, width - narrowest));
    }
    return shrink;
}

void AnchorLayout::Rescale(int newDpi) {
    if (newDpi <= 0 || newDpi == dpi) {
        return;
    }
    initialClient = {MulDiv(initialClient.cx, newDpi, dpi), MulDiv(initialClient.cy, newDpi, dpi)};
    minimumTrack = {MulDiv(minimumTrack.x, newDpi, dpi), MulDiv(minimumTrack.y, newDpi, dpi)};
    for (Placed& placed : controls) {
        ScaleRect(placed.initial, newDpi, dpi);
    }
    dpi = newDpi;
}

void AnchorLayout::Apply() const {
    RECT client;
    GetClientRect(dialog, &client);
    const int grownWidth = client.right - initialClient.cx;
    const int grownHeight = client.bottom - initialClient.cy;
    HDWP moves = BeginDeferWindowPos(static_cast<int>(controls.size()));
    for (const Placed& placed : controls) {
        RECT place = placed.initial;
        if (placed.anchor.stretchWidth) {
            place.right += grownWidth;
        }
        if (placed.anchor.followRight) {
            OffsetRect(&place, grownWidth, 0);
        }
        if (placed.anchor.followBottom) {
            OffsetRect(&place, 0, grownHeight);
        }
        if (moves) {
            moves = DeferWindowPos(moves, GetDlgItem(dialog, placed.anchor.id), nullptr, place.left,
                                   place.top, place.right - place.left, place.bottom - place.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (moves) {
        EndDeferWindowPos(moves);
    }
    InvalidateRect(dialog, nullptr, TRUE);
}

}  // namespace wordgleaner
