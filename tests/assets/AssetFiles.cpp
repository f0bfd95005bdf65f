#include "assets/AssetFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

constexpr std::size_t kBmpHeaderBytes = 54;
constexpr std::size_t kDdsHeaderEnd = 128;
constexpr unsigned char kFiller = 0xEE;

}  // namespace

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

ScratchDirectory::ScratchDirectory() {
    char pattern[] = "/tmp/quorralith-assets-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    root = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string ScratchDirectory::write(const std::string& name, const Bytes& bytes) const {
    const std::string path = root + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string ScratchDirectory::write(const std::string& name, const std::string& text) const {
    return write(name, bytesOf(text));
}

std::string ScratchDirectory::missing(const std::string& name) const {
    return root + "/" + name;
}

void putLittleEndian16(Bytes& bytes, std::size_t offset, std::uint16_t value) {
    bytes.at(offset) = static_cast<unsigned char>(value);
    bytes.at(offset + 1) = static_cast<unsigned char>(value >> 8);
}

void putLittleEndian32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    putLittleEndian16(bytes, offset, static_cast<std::uint16_t>(value));
    putLittleEndian16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

Bytes bmpFile(const BmpFields& fields, const Bytes& pixelData) {
    Bytes file(std::max<std::size_t>(kBmpHeaderBytes, fields.dataOffset), kFiller);
    std::fill(file.begin(), file.begin() + kBmpHeaderBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    putLittleEndian32(file, 2, static_cast<std::uint32_t>(file.size() + pixelData.size()));
    putLittleEndian32(file, 10, fields.dataOffset);
    putLittleEndian32(file, 14, 40);
    putLittleEndian32(file, 18, static_cast<std::uint32_t>(fields.width));
    putLittleEndian32(file, 22, static_cast<std::uint32_t>(fields.height));
    putLittleEndian16(file, 26, 1);
    putLittleEndian16(file, 28, fields.bitsPerPixel);
    putLittleEndian32(file, 30, fields.compression);
    putLittleEndian32(file, 34, fields.imageSize);
    file.insert(file.end(), pixelData.begin(), pixelData.end());
    return file;
}

Bytes ddsFile(const DdsFields& fields, const Bytes& data) {
    // Sized once: growing it by insert trips a false -Warray-bounds in GCC 12.
    Bytes file(kDdsHeaderEnd + data.size(), 0);
    file[0] = 'D';
    file[1] = 'D';
    file[2] = 'S';
    file[3] = ' ';
    putLittleEndian32(file, 4, 124);
    putLittleEndian32(file, 12, fields.height);
    putLittleEndian32(file, 16, fields.width);
    putLittleEndian32(file, 20, fields.linearSize);
    putLittleEndian32(file, 28, fields.mipMapCount);
    putLittleEndian32(file, 76, 32);
    for (std::size_t i = 0; i < 4 && i < fields.fourCc.size(); ++i) {
        file[84 + i] = static_cast<unsigned char>(fields.fourCc[i]);
    }
    std::copy(data.begin(), data.end(), file.begin() + kDdsHeaderEnd);
    return file;
}

Bytes dxt1Block(std::uint16_t colour0, std::uint16_t colour1, std::uint32_t indices) {
    Bytes block(8, 0);
    putLittleEndian16(block, 0, colour0);
    putLittleEndian16(block, 2, colour1);
    putLittleEndian32(block, 4, indices);
    return block;
}

Bytes repeated(const Bytes& piece, std::size_t times) {
    Bytes out;
    for (std::size_t i = 0; i < times; ++i) {
        out.insert(out.end(), piece.begin(), piece.end());
    }
    return out;
}

Bytes joined(const std::vector<Bytes>& pieces) {
    Bytes out;
    for (const Bytes& piece : pieces) {
        out.insert(out.end(), piece.begin(), piece.end());
    }
    return out;
}
