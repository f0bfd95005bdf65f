#pragma once

#include <vector>

struct Rgba {
    unsigned char r, g, b, a;
};

// Reads a rectangle of the current context's back buffer (x, y from the
// bottom-left corner, rows bottom-up), resolving the multisampled buffer first
// so that the pixels are exactly what the screen would show.
std::vector<Rgba> readBackBufferRegion(int x, int y, int regionWidth, int regionHeight);
Rgba readBackBufferPixel(int x, int y);
