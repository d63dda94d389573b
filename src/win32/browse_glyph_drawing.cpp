#include "win32/browse_glyph_drawing.h"

#include <algorithm>

#include "frontend/browse_glyph_maps.h"

namespace wordgleaner {

namespace {

COLORREF FromRgb(GlyphColour colour) {
    return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

}  // namespace

void DrawBrowseGlyph(HDC target, COLORREF background, const RECT& area, int glyph, bool disabled) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT whole = {0, 0, width, height};
    SetBkColor(dc, background);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &whole, nullptr, 0, nullptr);
    for (int y = 0; y < std::min(height, BrowseGlyphSize); ++y) {
        for (int x = 0; x < std::min(width, BrowseGlyphSize); ++x) {
            if (const auto colour = BrowseGlyphPixel(glyph, x, y, disabled)) {
                SetPixelV(dc, x, y, FromRgb(*colour));
            }
        }
    }
    BitBlt(target, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace wordgleaner
