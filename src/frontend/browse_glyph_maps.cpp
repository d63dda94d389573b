#include "frontend/browse_glyph_maps.h"

#include <algorithm>
#include <array>
#include <span>
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
    GlyphColour enabled;
    GlyphColour disabled;
};

constexpr GlyphColour Black = 0x000000;
constexpr GlyphColour White = 0xFFFFFF;
constexpr GlyphColour Yellow = 0xFFFF00;
constexpr GlyphColour Olive = 0x808000;
constexpr GlyphColour Grey = 0x808080;
constexpr GlyphColour Silver = 0xC0C0C0;
constexpr GlyphColour Cyan = 0x00FFFF;
constexpr GlyphColour Blue = 0x0000FF;
constexpr GlyphColour Navy = 0x000080;

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

std::optional<GlyphColour> PenColour(const PixelMap& map, std::span<const Pen> pens, int x, int y,
                                     bool disabled) {
    const char letter = map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
    const auto pen = std::find_if(pens.begin(), pens.end(),
                                  [letter](const Pen& p) { return p.letter == letter; });
    if (pen == pens.end()) {
        return std::nullopt;
    }
    return disabled ? pen->disabled : pen->enabled;
}

}  // namespace

std::optional<GlyphColour> BrowseGlyphPixel(int glyph, int x, int y, bool disabled) {
    if (x < 0 || y < 0 || x >= BrowseGlyphSize || y >= BrowseGlyphSize) {
        return std::nullopt;
    }
    switch (glyph) {
        case 1:
            return PenColour(OpenFolderWithArrow, OpenFolderPens, x, y, disabled);
        case 2:
            return PenColour(ClosedFolder, ClosedFolderPens, x, y, disabled);
        case 3:
            return PenColour(FolderWithMagnifier, MagnifierPens, x, y, disabled);
        default:
            return std::nullopt;
    }
}

}  // namespace wordgleaner
