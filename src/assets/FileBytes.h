#pragma once

#include <optional>
#include <vector>

// The whole content of a file, read in binary; nullopt when it cannot be
// opened. A read that stops early keeps what was read: the parsers treat a
// short file as one that ends there.
std::optional<std::vector<unsigned char>> readFileBytes(const char* path);
