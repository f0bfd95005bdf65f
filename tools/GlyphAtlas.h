#pragma once

#include <optional>
#include <string>

#include "Image.h"

// The text overlay's glyph atlas: a 16 x 16 grid of cells, the character with
// code c in column c % 16 and row c / 16, row 0 at the top of the image. The
// overlay samples only the middle strip of each cell (0.3 to 0.7 of its
// width) over the cell's full height and draws it 10 x 25 pixels for the
// score, so each glyph is scaled to fit that narrow strip: a condensed face.
// White glyphs in a dark outline, over clear texels. Printable ASCII (32 to
// 126) is drawn; every other cell is empty.
namespace glyph_atlas {
constexpr int kCellsPerSide = 16;
constexpr float kStripStart = 0.3f;  // fraction of the cell width
constexpr float kStripEnd = 0.7f;
constexpr int kFirstCode = 32;
constexpr int kLastCode = 126;
}  // namespace glyph_atlas

// Renders the atlas with FreeType from a TrueType font; nothing (after a
// message on stderr) when the font cannot be loaded.
std::optional<Image> renderGlyphAtlas(const std::string& fontPath, int sizePixels);
