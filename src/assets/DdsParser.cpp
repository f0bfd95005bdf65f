#include "assets/DdsParser.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "assets/LittleEndian.h"

namespace {

// Offsets within the 124-byte header, which starts after the magic.
constexpr std::size_t kHeightField = 8;
constexpr std::size_t kWidthField = 12;
constexpr std::size_t kLinearSizeField = 16;
constexpr std::size_t kMipMapCountField = 24;
constexpr std::size_t kFourCcField = 80;

constexpr std::uint32_t kBlockEdgePixels = 4;
constexpr std::uint32_t kDxt1BlockBytes = 8;
constexpr std::uint32_t kDxt35BlockBytes = 16;

// The four letters as one little-endian 32-bit value, as the file holds them.
constexpr std::uint32_t fourCc(const char (&code)[5]) {
    return static_cast<std::uint32_t>(code[0]) | (static_cast<std::uint32_t>(code[1]) << 8) |
           (static_cast<std::uint32_t>(code[2]) << 16) |
           (static_cast<std::uint32_t>(code[3]) << 24);
}

constexpr std::uint32_t kFourCcDxt1 = fourCc("DXT1");
constexpr std::uint32_t kFourCcDxt3 = fourCc("DXT3");
constexpr std::uint32_t kFourCcDxt5 = fourCc("DXT5");

bool hasMagic(const unsigned char* bytes, std::size_t size) {
    return size >= kDdsMagicBytes && std::memcmp(bytes, "DDS ", kDdsMagicBytes) == 0;
}

// Returns the internal format for a four-character code, or 0.
std::uint32_t internalFormatFor(std::uint32_t code) {
    switch (code) {
        case kFourCcDxt1:
            return kCompressedRgbaS3tcDxt1;
        case kFourCcDxt3:
            return kCompressedRgbaS3tcDxt3;
        case kFourCcDxt5:
            return kCompressedRgbaS3tcDxt5;
        default:
            return 0;
    }
}

std::uint32_t halved(std::uint32_t pixels) {
    return std::max<std::uint32_t>(pixels / 2, 1);
}

}  // namespace

std::uint64_t ddsDataSize(std::uint32_t linearSize, std::uint32_t mipMapCount) {
    return mipMapCount > 1 ? std::uint64_t{linearSize} * 2 : linearSize;
}

std::uint64_t ddsLevelBytes(std::uint32_t width, std::uint32_t height, std::uint32_t blockSize) {
    const std::uint64_t blocksWide =
        (std::uint64_t{width} + kBlockEdgePixels - 1) / kBlockEdgePixels;
    const std::uint64_t blocksHigh =
        (std::uint64_t{height} + kBlockEdgePixels - 1) / kBlockEdgePixels;
    // Each factor is at most 2^30, so only the product with the block size
    // can overflow.
    const std::uint64_t blocks = blocksWide * blocksHigh;
    if (blockSize != 0 && blocks > std::numeric_limits<std::uint64_t>::max() / blockSize) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return blocks * blockSize;
}

std::vector<DdsLevel> ddsLevels(std::uint32_t width, std::uint32_t height,
                                std::uint32_t mipMapCount, std::uint32_t blockSize,
                                std::uint64_t dataBytes) {
    std::vector<DdsLevel> levels;
    std::uint64_t offset = 0;
    std::uint32_t w = width;
    std::uint32_t h = height;
    for (std::uint32_t level = 0; level < mipMapCount && (w != 0 || h != 0); ++level) {
        const std::uint64_t size = ddsLevelBytes(w, h, blockSize);
        if (size > dataBytes - offset) {
            break;
        }
        levels.push_back(DdsLevel{level, w, h, size, offset});
        if (w == 1 && h == 1) {
            break;
        }
        offset += size;
        w = halved(w);
        h = halved(h);
    }
    return levels;
}

DdsParseResult parseDds(const unsigned char* bytes, std::size_t size, std::uint32_t maxEdgePixels) {
    DdsParseResult result;
    if (!hasMagic(bytes, size)) {
        return result;
    }
    std::array<unsigned char, kDdsHeaderBytes> header{};
    std::copy_n(bytes + kDdsMagicBytes, std::min(size - kDdsMagicBytes, kDdsHeaderBytes),
                header.begin());
    const std::uint32_t code = readLittleEndian32(header.data() + kFourCcField);
    DdsTexture& texture = result.texture;
    texture.internalFormat = internalFormatFor(code);
    if (texture.internalFormat == 0) {
        result.status = DdsParseStatus::UnsupportedFormat;
        return result;
    }
    texture.height = readLittleEndian32(header.data() + kHeightField);
    texture.width = readLittleEndian32(header.data() + kWidthField);
    texture.linearSize = readLittleEndian32(header.data() + kLinearSizeField);
    texture.mipMapCount = readLittleEndian32(header.data() + kMipMapCountField);
    texture.blockSize = code == kFourCcDxt1 ? kDxt1BlockBytes : kDxt35BlockBytes;
    if (texture.width > maxEdgePixels || texture.height > maxEdgePixels) {
        result.status = DdsParseStatus::TooLarge;
        return result;
    }

    const std::size_t inFile = size > kDdsDataOffset ? size - kDdsDataOffset : 0;
    const std::uint64_t dataBytes =
        std::min<std::uint64_t>(inFile, ddsDataSize(texture.linearSize, texture.mipMapCount));
    const unsigned char* data = bytes + (size - inFile);
    texture.data.assign(data, data + dataBytes);
    texture.levels = ddsLevels(texture.width, texture.height, texture.mipMapCount,
                               texture.blockSize, texture.data.size());
    result.status = DdsParseStatus::Ok;
    return result;
}
