#pragma once

#include <windows.h>

#include <vector>

namespace wordgleaner {

// How a control follows the dialog's size: it keeps its distance to the
// left and top edges, and may also stretch with the width or keep its
// distance to the right or the bottom edge instead.
struct Anchor {
    int id;
    bool stretchWidth = false;
    bool followRight = false;
    bool followBottom = false;
};

// Lays a resizable dialog out from the places its template gave the
// controls. The template's height is the smallest the dialog can take; it
// may be made narrower, as long as each stretched text keeps its whole text
// and each other stretched control half its width.
class AnchorLayout {
public:
    // Takes the controls' places as they are now, at the template's size,
    // and the texts they show then.
    void Capture(HWND dialog, std::vector<Anchor> anchors);
    void Apply() const;
    // The dialog moved to a monitor of another DPI, where Windows scales its
    // controls: the template's places scale with them.
    void Rescale(int newDpi);
    // The smallest window size, for WM_GETMINMAXINFO.
    POINT MinimumTrackSize() const { return minimumTrack; }

private:
    struct Placed {
        Anchor anchor;
        RECT initial;
    };

    HWND dialog = nullptr;
    int NarrowestShrink() const;

    int dpi = USER_DEFAULT_SCREEN_DPI;  // of the places below
    SIZE initialClient = {};
    POINT minimumTrack = {};
    std::vector<Placed> controls;
};

}  // namespace wordgleaner
