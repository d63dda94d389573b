#include "controls/browse_glyph.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
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

template <std::size_t PenCount>
void PaintMap(QImage& image, const PixelMap& map, const std::array<Pen, PenCount>& pens,
              bool disabled) {
    const int rows = std::min(image.height(), BrowseGlyphSize);
    const int columns = std::min(image.width(), BrowseGlyphSize);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const char letter = map[y][x];
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
    // Composed at the rectangle's size, so a small rectangle crops the map
    // instead of letting it spill over the button's border.
    QImage image(glyphRect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    switch (glyph) {
        case 1:
            PaintMap(image, OpenFolderWithArrow, OpenFolderPens, disabled);
            break;
        case 2:
            PaintMap(image, ClosedFolder, ClosedFolderPens, disabled);
            break;
        default:
            PaintMap(image, FolderWithMagnifier, MagnifierPens, disabled);
            break;
    }
    target.drawImage(glyphRect.topLeft(), image);
}

}  // namespace wordgleaner
