#include "text/TextGeometry.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr float kAdvancePerPixelOfHeight = 0.4f;
constexpr int kAtlasCellsPerRow = 16;
// A cell's width and height in texture coordinates (a power of two, so
// multiplying by it is exactly the division by 16).
constexpr float kCellSize = 1.0f / static_cast<float>(kAtlasCellsPerRow);
// Only the middle 40 per cent of a cell's width is sampled: the glyphs are
// drawn narrower than their cells, and the strip keeps the neighbours' edges
// out of the linear filter.
constexpr float kStripLeft = 0.01875f;
constexpr float kStripRight = 0.04375f;
constexpr std::size_t kCornersPerCharacter = 6;

struct Quad {
    glm::vec2 upLeft;
    glm::vec2 upRight;
    glm::vec2 downRight;
    glm::vec2 downLeft;
};

// Two counter-clockwise triangles when y points up.
void appendCorners(const Quad& quad, std::vector<glm::vec2>& out) {
    out.push_back(quad.upLeft);
    out.push_back(quad.downLeft);
    out.push_back(quad.upRight);
    out.push_back(quad.downRight);
    out.push_back(quad.upRight);
    out.push_back(quad.downLeft);
}

Quad glyphPosition(std::int64_t left, std::int64_t bottom, int advance, int sizePixels) {
    const float l = static_cast<float>(left);
    const float r = static_cast<float>(left + advance);
    const float b = static_cast<float>(bottom);
    const float t = static_cast<float>(bottom + sizePixels);
    return {{l, t}, {r, t}, {r, b}, {l, b}};
}

Quad glyphUvs(unsigned char code) {
    const float uvX = static_cast<float>(code % kAtlasCellsPerRow) * kCellSize;
    const float uvY = static_cast<float>(code / kAtlasCellsPerRow) * kCellSize;
    return {{uvX + kStripLeft, uvY},
            {uvX + kStripRight, uvY},
            {uvX + kStripRight, uvY + kCellSize},
            {uvX + kStripLeft, uvY + kCellSize}};
}

}  // namespace

int textAdvance(int sizePixels) {
    return static_cast<int>(static_cast<float>(sizePixels) * kAdvancePerPixelOfHeight);
}

TextGeometry buildTextGeometry(const char* text, int x, int y, int sizePixels) {
    TextGeometry geometry;
    buildTextGeometry(text, x, y, sizePixels, geometry);
    return geometry;
}

void buildTextGeometry(const char* text, int x, int y, int sizePixels, TextGeometry& geometry) {
    const std::size_t length = std::strlen(text);
    const int advance = textAdvance(sizePixels);
    geometry.vertices.clear();
    geometry.UVs.clear();
    geometry.vertices.reserve(length * kCornersPerCharacter);
    geometry.UVs.reserve(length * kCornersPerCharacter);
    for (std::size_t i = 0; i < length; ++i) {
        const std::int64_t left =
            static_cast<std::int64_t>(x) + static_cast<std::int64_t>(i) * advance;
        appendCorners(glyphPosition(left, y, advance, sizePixels), geometry.vertices);
        appendCorners(glyphUvs(static_cast<unsigned char>(text[i])), geometry.UVs);
    }
}
