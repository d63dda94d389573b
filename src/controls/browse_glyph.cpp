#include "controls/browse_glyph.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace wordgleaner {

namespace {

// The maps are shared with the other windows; each pixel is painted here.
void PaintMap(QImage& image, int glyph, bool disabled) {
    const int rows = std::min(image.height(), BrowseGlyphSize);
    const int columns = std::min(image.width(), BrowseGlyphSize);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            if (const auto colour = BrowseGlyphPixel(glyph, x, y, disabled)) {
                image.setPixel(x, y, 0xFF000000u | *colour);
            }
        }
    }
}

}  // namespace

void DrawBrowseGlyph(QPainter& target, const QColor& background, const QRect& glyphRect, int glyph,
                     bool disabled) {
    if (glyph < 1 || glyph > 3 || glyphRect.width() <= 0 || glyphRect.height() <= 0) {
        return;
    }
    // Composed at the rectangle's size, so a small rectangle crops the map
    // instead of letting it spill over the button's border.
    QImage image(glyphRect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    PaintMap(image, glyph, disabled);
    target.drawImage(glyphRect.topLeft(), image);
}

}  // namespace wordgleaner
