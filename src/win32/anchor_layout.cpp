#include "win32/anchor_layout.h"

namespace wordgleaner {

namespace {

// The DPI a window is drawn at; GetDpiForWindow is missing before Windows 10.
int WindowDpi(HWND window) {
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
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
