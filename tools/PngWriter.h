#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

// An 8-bit RGBA PNG, row 0 at the top. The pixels go into stored (not
// compressed) deflate blocks: no compression library, and the same bytes on
// every run. Meant for small pictures such as the desktop icon.
std::vector<std::uint8_t> encodePng(const Image& image);
