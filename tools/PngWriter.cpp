#include "PngWriter.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgba = 6;
constexpr std::size_t kStoredBlockLimit = 0xFFFF;

// PNG numbers are big-endian, unlike the other formats the generator writes.
void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> made{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            made[n] = c;
        }
        return made;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void appendChunk(std::vector<std::uint8_t>& out, const char* type,
                 const std::vector<std::uint8_t>& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    appendBigEndian(out, crc32(&out[typeStart], out.size() - typeStart));
}

// Each row behind a filter byte of 0 (none), as the PNG decoder expects.
std::vector<std::uint8_t> filteredRows(const Image& image) {
    std::vector<std::uint8_t> rows;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y) {
        rows.push_back(0);
        rows.insert(rows.end(), image.pixel(0, y), image.pixel(0, y) + rowBytes);
    }
    return rows;
}

// A zlib stream of stored deflate blocks around the bytes.
std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> out = {0x78, 0x01};
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(kStoredBlockLimit, bytes.size() - offset);
        const bool last = offset + length == bytes.size();
        out.push_back(last ? 1 : 0);
        for (const std::size_t half : {length, length ^ 0xFFFF}) {
            out.push_back(static_cast<std::uint8_t>(half & 0xFF));
            out.push_back(static_cast<std::uint8_t>((half >> 8) & 0xFF));
        }
        out.insert(out.end(), bytes.begin() + offset, bytes.begin() + offset + length);
        offset += length;
    } while (offset < bytes.size());
    appendBigEndian(out, adler32(bytes));
    return out;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const Image& image) {
    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
    std::vector<std::uint8_t> header;
    appendBigEndian(header, static_cast<std::uint32_t>(image.width));
    appendBigEndian(header, static_cast<std::uint32_t>(image.height));
    // Bit depth, colour type, then deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {kBitDepth, kColourTypeRgba, 0, 0, 0});
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", zlibStored(filteredRows(image)));
    appendChunk(out, "IEND", {});
    return out;
}
