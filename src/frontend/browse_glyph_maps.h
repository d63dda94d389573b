#pragma once

#include <cstdint>
#include <optional>

namespace wordgleaner {

// Glyphs are 16 x 16 pixel pictures; a smaller rectangle shows their top-left part.
inline constexpr int BrowseGlyphSize = 16;

// A colour as 0xRRGGBB.
using GlyphColour = std::uint32_t;

// The colour of one pixel of glyph 1 (open folder with an arrow), 2 (closed
// folder) or 3 (folder with a magnifier), in its disabled colours when
// asked; nothing where the background shows, outside the 16 x 16 map and
// for any other glyph number. Each window paints these pixels its own way.
std::optional<GlyphColour> BrowseGlyphPixel(int glyph, int x, int y, bool disabled);

}  // namespace wordgleaner
