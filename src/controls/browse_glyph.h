#pragma once

#include <QColor>
#include <QRect>

#include "frontend/browse_glyph_maps.h"

class QPainter;

namespace wordgleaner {

// Draws glyph 1 (open folder with an arrow), 2 (closed folder) or 3 (folder
// with a magnifier) into glyphRect of the target, on the background colour, in
// its disabled colours when asked. The glyph is composed off screen at the
// rectangle's size, so nothing outside the rectangle is touched. Any other
// glyph number draws nothing.
void DrawBrowseGlyph(QPainter& target, const QColor& background, const QRect& glyphRect, int glyph,
                     bool disabled);

}  // namespace wordgleaner
