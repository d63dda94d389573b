#include "controls/browse_glyph.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace wordgleaner {

namespace {

using PixelMap = std::array<std::string_view, BrowseGlyphSize>;

// One letter per pixel; '.' keeps the background.
constexpr PixelMap OpenFolderWithArrow = {
    "................",  //
    "..........KKK...",  //
    ".........K...K.K",  //
    "..............KK",  //
    "..KKK........KKK",  //
    ".KWYWKKKKKKK....",  //
    ".KYWYWYWYWYK....",  //
    ".KWYWYWYWYWK....",  //
    ".KYWYWKKKKKKKKKK",  //
    ".KWYWKOOOOOOOOOK",  //
    ".KYWKOOOOOOOOOK.",  //
    ".KWKOOOOOOOOOK..",  //
    ".KKOOOOOOOOOK...",  //
    ".KKKKKKKKKKK....",  //
    "................",  //
    "................",  //
};

constexpr PixelMap ClosedFolder = {
    "................",  //
    "...GGGGG........",  //
    "..GWWWWWG.......",  //
    ".GWSYSYSWGGGGGG.",  //
    ".GWYSYSYSWWWWWGK",  //
    ".GWSYSYSYSYSYSGK",  //
    "GGGGGGGGGGGGGYGK",  //
    "GWWWWWWWWWWGKSGK",  //
    "GWSYSYSYSYSYKGGK",  //
    ".GWSYSYSYSYSGKGK",  //
    ".GWYSYSYSYSYSKGK",  //
    "..GWYSYSYSYSYGKK",  //
    "..GGGGGGGGGGGGKK",  //
    "...KKKKKKKKKKKKK",  //
    "................",  //
    "................",  //
};

constexpr PixelMap FolderWithMagnifier = {
    "..GGGGG.........",  //
    ".GSYSYSG........",  //
    "GSYSYSYSGGGGGG..",  //
    "GWWWWWWWWWWWWOK.",  //
    "GWY.GGKGYSY.YOK.",  //
    "GW.GWCWKGYSYSOK.",  //
    "GWGWCWC.KGYSYOK.",  //
    "GWGCWC.CSO.YSOK.",  //
    "GWGWC.CSKOYSYOK.",  //
    "GW.G.CSKSOOYSOK.",  //
    "GWYSGSKS.BBOYOK.",  //
    "G.OOOOOONCBBOOK.",  //
    ".KKKKKKKKNCBBK..",  //
    "..........NCBBK.",  //
    "...........NCBK.",  //
    "............KK..",  //
};

struct Pen {
    char letter;
    QRgb enabled;
    QRgb disabled;
};

// A ratio a hair below a whole number (1.9999) still counts as that number.
constexpr qreal RatioTolerance = 1e-3;

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Yellow = 0xFFFFFF00;
constexpr QRgb Olive = 0xFF808000;
constexpr QRgb Grey = 0xFF808080;
constexpr QRgb Silver = 0xFFC0C0C0;
constexpr QRgb Cyan = 0xFF00FFFF;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb Navy = 0xFF000080;

// The olive pen greys out darker in glyph 1 than in glyph 3.
constexpr std::array<Pen, 4> OpenFolderPens = {{
    {'K', Black, Grey},
    {'W', White, White},
    {'Y', Yellow, Silver},
    {'O', Olive, Grey},
}};

constexpr std::array<Pen, 5> ClosedFolderPens = {{
    {'K', Black, Grey},
    {'W', White, White},
    {'Y', Yellow, Silver},
    {'G', Grey, Grey},
    {'S', Silver, Silver},
}};

constexpr std::array<Pen, 9> MagnifierPens = {{
    {'K', Black, Grey},
    {'W', White, White},
    {'Y', Yellow, Silver},
    {'O', Olive, Silver},
    {'G', Grey, Grey},
    {'S', Silver, Silver},
    {'C', Cyan, White},
    {'B', Blue, Grey},
    {'N', Navy, Grey},
}};

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

template <std::size_t PenCount>
void PaintMap(QImage& image, const PixelMap& map, const std::array<Pen, PenCount>& pens,
              bool disabled, DevicePlacement placement) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int row = (y - placement.offset) / placement.scale;
            const int column = (x - placement.offset) / placement.scale;
            if (y < placement.offset || x < placement.offset || row >= BrowseGlyphSize ||
                column >= BrowseGlyphSize) {
                continue;
            }
            const char letter = map[row][column];
            const auto pen = std::find_if(pens.begin(), pens.end(),
                                          [letter](const Pen& p) { return p.letter == letter; });
            if (pen != pens.end()) {
                image.setPixel(x, y, disabled ? pen->disabled : pen->enabled);
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
    const DevicePlacement placement = PlaceOnDevice(ratio);
    switch (glyph) {
        case 1:
            PaintMap(image, OpenFolderWithArrow, OpenFolderPens, disabled, placement);
            break;
        case 2:
            PaintMap(image, ClosedFolder, ClosedFolderPens, disabled, placement);
            break;
        default:
            PaintMap(image, FolderWithMagnifier, MagnifierPens, disabled, placement);
            break;
    }
    image.setDevicePixelRatio(ratio);
    target.drawImage(QPointF(deviceTopLeft) / ratio, image);
}

}  // namespace wordgleaner
