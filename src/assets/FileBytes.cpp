#include "assets/FileBytes.h"

#include <cstdio>
#include <memory>

namespace {

constexpr std::size_t kReadChunkBytes = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<std::vector<unsigned char>> readFileBytes(const char* path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::vector<unsigned char> bytes;
    std::size_t got = 0;
    do {
        const std::size_t before = bytes.size();
        bytes.resize(before + kReadChunkBytes);
        got = std::fread(bytes.data() + before, 1, kReadChunkBytes, file.get());
        bytes.resize(before + got);
    } while (got == kReadChunkBytes);
    return bytes;
}
