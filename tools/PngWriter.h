#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

// An 8-bit RGBA PNG, row 0 at the top, deflated by zlib: the icons a phone
// downloads before the game plays stay small, and the same bytes come out on
// every run. An empty result means zlib failed.
std::vector<std::uint8_t> encodePng(const Image& image);
