#include "GlyphAtlas.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include <ft2build.h>
#include FT_FREETYPE_H

using namespace glyph_atlas;

namespace {

// Ink keeps this many texels clear of the cell's top and bottom edges, so the
// filtered samples along a quad's edge do not pick up the neighbouring cell.
constexpr int kVerticalMarginTexels = 2;
// Every glyph is ringed with a dark outline, fully dark this many texels out
// from its ink and fading over one texel more, so that the white text reads
// over bright lit stone as well as over the dark sky. The glyphs are drawn that
// much smaller, so that the outline still lies in the sampled strip.
constexpr float kOutlineTexels = 2.0f;
constexpr int kOutlineRoom = static_cast<int>(kOutlineTexels);
constexpr int kFixedPointOne = 64;     // FreeType's 26.6 fixed point
constexpr unsigned kDotsPerInch = 72;  // one point is then one pixel

// Where a cell's glyph may put ink, in texels from the cell's top-left
// corner: whole texels inside the sampled strip.
struct InkBox {
    int left, right, top, bottom;  // right and bottom exclusive
};

InkBox stripBox(int cellPixels) {
    return {static_cast<int>(std::ceil(cellPixels * kStripStart)),
            static_cast<int>(std::floor(cellPixels * kStripEnd)), kVerticalMarginTexels,
            cellPixels - kVerticalMarginTexels};
}

InkBox inkBox(int cellPixels) {
    const InkBox strip = stripBox(cellPixels);
    return {strip.left + kOutlineRoom, strip.right - kOutlineRoom, strip.top + kOutlineRoom,
            strip.bottom - kOutlineRoom};
}

// The union of the printable glyphs' ink boxes, in font units, relative to
// the pen position on the baseline (y up).
struct FontExtent {
    long left = LONG_MAX, right = LONG_MIN, bottom = LONG_MAX, top = LONG_MIN;
};

bool measureFont(FT_Face face, FontExtent& extent) {
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        if (FT_Load_Char(face, code, FT_LOAD_NO_SCALE) != 0) {
            return false;
        }
        const FT_Glyph_Metrics& m = face->glyph->metrics;
        if (m.width == 0 || m.height == 0) {
            continue;  // the space
        }
        extent.left = std::min(extent.left, m.horiBearingX);
        extent.right = std::max(extent.right, m.horiBearingX + m.width);
        extent.top = std::max(extent.top, m.horiBearingY);
        extent.bottom = std::min(extent.bottom, m.horiBearingY - m.height);
    }
    return extent.left < extent.right && extent.bottom < extent.top;
}

// Copies a rendered glyph into its cell at the given whole-texel origin,
// dropping any coverage outside the ink box.
void blitGlyph(const FT_Bitmap& bitmap, int originX, int originY, int cellX, int cellY,
               const InkBox& box, Image& atlas) {
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const int x = originX + static_cast<int>(column);
            const int y = originY + static_cast<int>(row);
            if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) {
                continue;
            }
            const std::uint8_t coverage = bitmap.buffer[row * bitmap.pitch + column];
            std::uint8_t* texel = atlas.pixel(cellX + x, cellY + y);
            texel[3] = std::max(texel[3], coverage);
        }
    }
}

bool drawGlyphs(FT_Face face, int cellPixels, Image& atlas) {
    const InkBox box = inkBox(cellPixels);
    FontExtent extent;
    if (!measureFont(face, extent)) {
        return false;
    }
    // Separate horizontal and vertical scales: the union of all glyphs fills
    // the ink box exactly.
    const double unitsPerEm = face->units_per_EM;
    const double scaleX = (box.right - box.left) / static_cast<double>(extent.right - extent.left);
    const double scaleY = (box.bottom - box.top) / static_cast<double>(extent.top - extent.bottom);
    if (FT_Set_Char_Size(face, std::lround(scaleX * unitsPerEm * kFixedPointOne),
                         std::lround(scaleY * unitsPerEm * kFixedPointOne), kDotsPerInch,
                         kDotsPerInch) != 0) {
        return false;
    }
    // The pen position inside a cell, in texels from its top-left corner; the
    // fractions go to FreeType as a sub-texel shift so the box fits exactly.
    const double penX = box.left - extent.left * scaleX;
    const double baselineY = box.top + extent.top * scaleY;
    const int penWholeX = static_cast<int>(std::floor(penX));
    const int baselineWholeY = static_cast<int>(std::ceil(baselineY));
    FT_Vector shift;
    shift.x = std::lround((penX - penWholeX) * kFixedPointOne);
    shift.y = std::lround((baselineWholeY - baselineY) * kFixedPointOne);
    FT_Set_Transform(face, nullptr, &shift);

    for (int code = kFirstCode; code <= kLastCode; ++code) {
        // Unhinted: hinting would snap the squeezed outlines to the grid
        // unevenly; plain coverage scales down more smoothly.
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) {
            return false;
        }
        const FT_GlyphSlot glyph = face->glyph;
        const int cellX = (code % kCellsPerSide) * cellPixels;
        const int cellY = (code / kCellsPerSide) * cellPixels;
        blitGlyph(glyph->bitmap, penWholeX + glyph->bitmap_left, baselineWholeY - glyph->bitmap_top,
                  cellX, cellY, box, atlas);
    }
    return true;
}

// How much of the outline a texel at this distance from an inked texel gets.
float outlineWeight(float distanceTexels) {
    return std::clamp(kOutlineTexels + 1.0f - distanceTexels, 0.0f, 1.0f);
}

// Turns the glyph coverage held in alpha into white glyphs in dark outlines:
// alpha becomes the larger of the glyph's coverage and its outline's, and
// the colour is white where the glyph covers and black where only the outline
// does. Texels that stay clear are black too, so that filtering at an
// outline's edge fades towards dark, never towards a bright fringe.
void outlineGlyphs(int cellPixels, Image& atlas) {
    const Image coverage = atlas;
    const InkBox strip = stripBox(cellPixels);
    const int reach = static_cast<int>(std::ceil(kOutlineTexels + 1.0f));
    for (int y = 0; y < atlas.height; ++y) {
        for (int x = 0; x < atlas.width; ++x) {
            const int inCellX = x % cellPixels;
            const int inCellY = y % cellPixels;
            float outline = 0.0f;
            const bool inStrip = inCellX >= strip.left && inCellX < strip.right &&
                                 inCellY >= strip.top && inCellY < strip.bottom;
            for (int dy = -reach; inStrip && dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= atlas.width || ny >= atlas.height) {
                        continue;
                    }
                    const float ink = coverage.pixel(nx, ny)[3] / 255.0f;
                    outline = std::max(outline, ink * outlineWeight(std::hypot(dx, dy)));
                }
            }
            const float glyph = coverage.pixel(x, y)[3] / 255.0f;
            const float opacity = std::max(glyph, outline);
            const float white = opacity > 0.0f ? glyph / opacity : 0.0f;
            atlas.setPixel(x, y, white, white, white, opacity);
        }
    }
}

}  // namespace

std::optional<Image> renderGlyphAtlas(const std::string& fontPath, int sizePixels) {
    // The glyphs' coverage is drawn into alpha first, then outlined.
    Image atlas(sizePixels, sizePixels);
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "FreeType could not be initialised\n");
        return std::nullopt;
    }
    FT_Face face = nullptr;
    bool drawn = false;
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) == 0) {
        drawn = drawGlyphs(face, sizePixels / kCellsPerSide, atlas);
        FT_Done_Face(face);
    }
    if (drawn) {
        outlineGlyphs(sizePixels / kCellsPerSide, atlas);
    }
    FT_Done_FreeType(library);
    if (!drawn) {
        std::fprintf(stderr, "cannot render glyphs from %s\n", fontPath.c_str());
        return std::nullopt;
    }
    return atlas;
}
