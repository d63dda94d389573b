#include "controls/browse_glyph.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace wordgleaner {

namespace {

// A ratio a hair below a whole number (1.9999) still counts as that number.
constexpr qreal RatioTolerance = 1e-3;

// A map pixel becomes a square of whole device pixels, all of one size, so
// that the chequers stay regular when a screen's scale factor is not whole
// (1.25, 1.5): the glyph is then drawn at the largest whole factor that fits
// and centred in the room the factor leaves.
struct DevicePlacement {
    int scale;   // device pixels per map pixel
    int offset;  // device pixels from the rectangle's top-left to the map's
};

DevicePlacement PlaceOnDevice(qreal ratio) {
    const int scale = std::max(1, static_cast<int>(std::floor(ratio + RatioTolerance)));
    const int room = static_cast<int>(std::lround(BrowseGlyphSize * ratio));
    return {scale, std::max(0, (room - BrowseGlyphSize * scale) / 2)};
}

// The maps are shared with the other windows; each pixel is painted here.
void PaintMap(QImage& image, int glyph, bool disabled, DevicePlacement placement) {
    for (int y = placement.offset; y < image.height(); ++y) {
        for (int x = placement.offset; x < image.width(); ++x) {
            const int row = (y - placement.offset) / placement.scale;
            const int column = (x - placement.offset) / placement.scale;
            if (const auto colour = BrowseGlyphPixel(glyph, column, row, disabled)) {
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
    const qreal ratio = target.device() ? target.device()->devicePixelRatio() : 1.0;
    // Composed in device pixels at the rectangle's size, so a small rectangle
    // crops the map instead of letting it spill over the button's border, and
    // placed on whole device pixels, so the picture is copied without scaling.
    const QPoint deviceTopLeft(static_cast<int>(std::lround(glyphRect.x() * ratio)),
                               static_cast<int>(std::lround(glyphRect.y() * ratio)));
    const QSize deviceSize(
        static_cast<int>(std::lround((glyphRect.x() + glyphRect.width()) * ratio)) -
            deviceTopLeft.x(),
        static_cast<int>(std::lround((glyphRect.y() + glyphRect.height()) * ratio)) -
            deviceTopLeft.y());
    QImage image(deviceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    PaintMap(image, glyph, disabled, PlaceOnDevice(ratio));
    image.setDevicePixelRatio(ratio);
    target.drawImage(QPointF(deviceTopLeft) / ratio, image);
}

}  // namespace wordgleaner
