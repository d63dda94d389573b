// The glyph pictures every window paints, pixel by pixel.

#include "frontend/browse_glyph_maps.h"

#include <gtest/gtest.h>

using namespace wordgleaner;

namespace {

TEST(BrowseGlyphMaps, OpenFolderCornersAndPensInBothColourings) {
    EXPECT_FALSE(BrowseGlyphPixel(1, 0, 0, false));           // background
    EXPECT_EQ(BrowseGlyphPixel(1, 10, 1, false), 0x000000u);  // arrow, black
    EXPECT_EQ(BrowseGlyphPixel(1, 10, 1, true), 0x808080u);   // arrow, grey
    EXPECT_EQ(BrowseGlyphPixel(1, 3, 5, false), 0xFFFF00u);   // yellow back
    EXPECT_EQ(BrowseGlyphPixel(1, 3, 5, true), 0xC0C0C0u);
    EXPECT_EQ(BrowseGlyphPixel(1, 6, 9, false), 0x808000u);  // olive front
    EXPECT_EQ(BrowseGlyphPixel(1, 6, 9, true), 0x808080u);
}

TEST(BrowseGlyphMaps, TheOlivePenGreysLighterInTheMagnifierGlyph) {
    EXPECT_EQ(BrowseGlyphPixel(3, 13, 3, false), 0x808000u);
    EXPECT_EQ(BrowseGlyphPixel(3, 13, 3, true), 0xC0C0C0u);
    EXPECT_EQ(BrowseGlyphPixel(3, 8, 11, false), 0x000080u);  // navy handle
    EXPECT_EQ(BrowseGlyphPixel(3, 9, 11, false), 0x00FFFFu);  // cyan glass edge
}

TEST(BrowseGlyphMaps, OnlyTheThreeGlyphsAndTheirSixteenSquarePixelsExist) {
    EXPECT_EQ(BrowseGlyphPixel(2, 15, 13, false), 0x000000u);
    EXPECT_FALSE(BrowseGlyphPixel(2, 16, 13, false));
    EXPECT_FALSE(BrowseGlyphPixel(2, -1, 13, false));
    EXPECT_FALSE(BrowseGlyphPixel(0, 10, 1, false));
    EXPECT_FALSE(BrowseGlyphPixel(4, 10, 1, false));
}

TEST(BrowseGlyphMaps, GlyphOneCoversColumnsOneToFifteenAndRowsOneToThirteen) {
    for (int y = 0; y < BrowseGlyphSize; ++y) {
        for (int x = 0; x < BrowseGlyphSize; ++x) {
            if (x < 1 || y < 1 || y > 13) {
                EXPECT_FALSE(BrowseGlyphPixel(1, x, y, false)) << x << "," << y;
            }
        }
    }
}

}  // namespace
