#pragma once

#include <windows.h>

namespace wordgleaner {

// Draws a browse glyph into `area` of the target on the background colour,
// in its disabled colours when asked; a smaller area shows the glyph's
// top-left part and nothing is drawn outside it.
void DrawBrowseGlyph(HDC target, COLORREF background, const RECT& area, int glyph, bool disabled);

}  // namespace wordgleaner
