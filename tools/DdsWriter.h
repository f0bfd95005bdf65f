#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

enum class DxtFormat { Dxt1, Dxt5 };

// Bytes of a compressed level of the given size: whole 4 x 4 blocks, partial
// blocks rounded up, 8 bytes a block for DXT1 and 16 for DXT5.
std::size_t compressedLevelSize(int width, int height, DxtFormat format);

// A complete DDS file: the 128-byte header, then every level of the mipmap
// chain of `levelZero` down to 1 x 1, compressed with libsquish. Image row 0
// is stored first, which the game samples at t = 0.
std::vector<std::uint8_t> encodeDds(const Image& levelZero, DxtFormat format);
