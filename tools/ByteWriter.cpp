#include "ByteWriter.h"

#include <cstdio>
#include <fstream>

void ByteWriter::u16(std::uint16_t value) {
    u8(static_cast<std::uint8_t>(value & 0xFF));
    u8(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::u32(std::uint32_t value) {
    u16(static_cast<std::uint16_t>(value & 0xFFFF));
    u16(static_cast<std::uint16_t>(value >> 16));
}

void ByteWriter::text(const std::string& characters) {
    data.insert(data.end(), characters.begin(), characters.end());
}

void ByteWriter::bytes(const std::vector<std::uint8_t>& block) {
    data.insert(data.end(), block.begin(), block.end());
}

namespace {

bool writeRaw(const std::string& path, const char* first, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(first, static_cast<std::streamsize>(size));
    file.close();
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return writeRaw(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool writeFile(const std::string& path, const std::string& text) {
    return writeRaw(path, text.data(), text.size());
}
