#include "PngWriter.h"

#include <array>
#include <string>

#include <zlib.h>

namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgba = 6;
constexpr std::uint8_t kFilterSub = 1;

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

void appendChunk(std::vector<std::uint8_t>& out, const char* type,
                 const std::vector<std::uint8_t>& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    appendBigEndian(out, crc32(&out[typeStart], out.size() - typeStart));
}

// Each row behind a filter byte of 1 (each byte less the one a pixel to its
// left): the stone's smooth shading leaves small differences, which deflate
// packs far tighter than the pixels themselves.
std::vector<std::uint8_t> filteredRows(const Image& image) {
    std::vector<std::uint8_t> rows;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y) {
        rows.push_back(kFilterSub);
        const std::uint8_t* row = image.pixel(0, y);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            rows.push_back(static_cast<std::uint8_t>(row[i] - (i >= 4 ? row[i - 4] : 0)));
        }
    }
    return rows;
}

// zlib at its highest level: the same bytes on every run with the same zlib
// (Debian 12's), so that make-assets.sh --check can compare them.
std::vector<std::uint8_t> zlibCompressed(const std::vector<std::uint8_t>& bytes) {
    uLongf size = compressBound(bytes.size());
    std::vector<std::uint8_t> out(size);
    if (compress2(out.data(), &size, bytes.data(), bytes.size(), Z_BEST_COMPRESSION) != Z_OK) {
        return {};
    }
    out.resize(size);
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
    const std::vector<std::uint8_t> pixels = zlibCompressed(filteredRows(image));
    if (pixels.empty()) {
        return {};
    }
    appendChunk(out, "IDAT", pixels);
    appendChunk(out, "IEND", {});
    return out;
}
