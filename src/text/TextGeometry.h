#pragma once

#include <vector>

#include <glm/vec2.hpp>

// The two triangles of every character of one line of text, ready for upload:
// six corners per character in the order up-left, down-left, up-right,
// down-right, up-right, down-left, with positions in the text shader's pixel
// space (y up) and texture coordinates in the 16 x 16 glyph atlas.
struct TextGeometry {
    std::vector<glm::vec2> vertices;
    std::vector<glm::vec2> UVs;
};

// Width of one character's quad: 40 per cent of its height, truncated.
int textAdvance(int sizePixels);

// Lays out text with its first character's lower-left corner at (x, y).
// Characters are looked up as unsigned bytes, so codes 128 to 255 take the
// atlas's lower eight rows instead of negative texture coordinates, and
// positions are computed in 64-bit signed arithmetic, so a negative x places
// the text left of the origin rather than wrapping around.
TextGeometry buildTextGeometry(const char* text, int x, int y, int sizePixels);
// The same into a geometry kept between calls: its storage is reused, so a
// line drawn every frame allocates nothing once its longest text has been seen.
void buildTextGeometry(const char* text, int x, int y, int sizePixels, TextGeometry& into);
