#pragma once

#include <cstdint>

#include "text/TextGeometry.h"

// Single lines of screen-space text from a 16 x 16 glyph atlas. One overlay
// exists in the game (the score line); it owns its atlas texture, two buffers
// and its program, and release() deletes them while the context exists.
class TextOverlay {
  public:
    void init(const char* atlasPath);
    // x and y are the lower-left corner of the first character in the text
    // shader's pixel space (y up); size is the character height in pixels.
    void draw(const char* text, int x, int y, int sizePixels);
    void release();

    std::uint32_t getFontTexture() const { return fontTexture; }
    std::uint32_t getVertexBuffer() const { return vertexBuffer; }
    std::uint32_t getUvBuffer() const { return uvBuffer; }
    std::uint32_t getProgram() const { return program; }

  private:
    std::uint32_t fontTexture = 0;
    std::uint32_t vertexBuffer = 0;
    std::uint32_t uvBuffer = 0;
    std::uint32_t program = 0;
    std::int32_t samplerLocation = -1;
    // Kept between frames so that drawing the score line allocates nothing.
    TextGeometry geometry;
};
