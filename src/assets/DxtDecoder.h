#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// S3TC decoded in software, for a GL without EXT_texture_compression_s3tc
// (most phones, some browsers): one level of DXT1, DXT3 or DXT5 blocks (the
// format by its GL value, as DdsParser gives it) to 8-bit RGBA, 4 bytes a
// pixel, in the order the blocks lay the level out, so that it uploads as
// the compressed level would have. Blocks run 4 x 4 pixels, row by row; a
// level smaller than a block (the 2 x 2 and 1 x 1 mipmaps) takes the
// block's top-left pixels. A block the data lacks decodes as zeros.
std::vector<unsigned char> decodeDxtLevel(std::uint32_t format, const unsigned char* blocks,
                                          std::size_t size, std::uint32_t width,
                                          std::uint32_t height);
