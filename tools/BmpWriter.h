#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

// An uncompressed 24-bit BMP with the plain 54-byte header (alpha dropped).
// Image row 0 is stored first: the game's BMP loader puts the first stored row
// at t = 0, just as its DDS loader does, so a BMP and a DDS made from images
// of the same layout line up texel for texel on every model. (A picture
// viewer, reading the rows bottom-up, shows the image upside down.)
// The width must be a multiple of 4, so that rows need no padding under any
// unpack alignment.
std::vector<std::uint8_t> encodeBmp(const Image& image);
