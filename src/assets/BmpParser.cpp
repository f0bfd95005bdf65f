#include "assets/BmpParser.h"

#include <algorithm>
#include <limits>

#include "assets/LittleEndian.h"

namespace {

constexpr std::size_t kDataOffsetField = 10;
constexpr std::size_t kWidthField = 18;
constexpr std::size_t kHeightField = 22;
constexpr std::size_t kBitsPerPixelField = 28;
constexpr std::size_t kCompressionField = 30;
constexpr std::size_t kImageSizeField = 34;
constexpr std::uint16_t kBitsPerPixel = 24;
constexpr std::uint64_t kBytesPerPixel = 3;

}  // namespace

std::uint64_t bmpPixelBytes(std::int32_t width, std::int32_t height) {
    const std::uint64_t rowBytes = kBytesPerPixel * static_cast<std::uint64_t>(width);
    const std::uint64_t paddedRowBytes =
        (rowBytes + kBmpRowAlignment - 1) / kBmpRowAlignment * kBmpRowAlignment;
    return paddedRowBytes * static_cast<std::uint64_t>(height);
}

std::optional<BmpHeader> readBmpHeader(const unsigned char* bytes, std::size_t size) {
    if (size < kBmpHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M' ||
        readLittleEndian32(bytes + kCompressionField) != 0 ||
        readLittleEndian16(bytes + kBitsPerPixelField) != kBitsPerPixel) {
        return std::nullopt;
    }
    BmpHeader header;
    header.width = static_cast<std::int32_t>(readLittleEndian32(bytes + kWidthField));
    header.height = static_cast<std::int32_t>(readLittleEndian32(bytes + kHeightField));
    // Top-down files (negative height) and empty images are not supported;
    // a pixel count past the 32-bit image size would have to be wrapped.
    if (header.width <= 0 || header.height <= 0 ||
        bmpPixelBytes(header.width, header.height) > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    header.dataOffset = readLittleEndian32(bytes + kDataOffsetField);
    header.imageSize = readLittleEndian32(bytes + kImageSizeField);
    if (header.dataOffset == 0) {
        header.dataOffset = kBmpHeaderBytes;
    }
    // 0 stands for the whole pixel array: width x height x 3 bytes when the
    // rows need no padding.
    if (header.imageSize == 0) {
        header.imageSize = static_cast<std::uint32_t>(bmpPixelBytes(header.width, header.height));
    }
    return header;
}

std::vector<unsigned char> readBmpPixels(const unsigned char* bytes, std::size_t size,
                                         const BmpHeader& header) {
    std::vector<unsigned char> pixels(bmpPixelBytes(header.width, header.height), 0);
    const std::size_t inFile = size > header.dataOffset ? size - header.dataOffset : 0;
    const std::size_t copied =
        std::min({inFile, static_cast<std::size_t>(header.imageSize), pixels.size()});
    std::copy_n(bytes + (size - inFile), copied, pixels.begin());
    return pixels;
}

std::optional<BmpImage> parseBmpImage(const unsigned char* bytes, std::size_t size,
                                      std::uint32_t maxEdgePixels) {
    const std::optional<BmpHeader> header = readBmpHeader(bytes, size);
    if (!header || static_cast<std::uint32_t>(header->width) > maxEdgePixels ||
        static_cast<std::uint32_t>(header->height) > maxEdgePixels ||
        size < std::uint64_t{header->dataOffset} + bmpPixelBytes(header->width, header->height)) {
        return std::nullopt;
    }
    return BmpImage{header->width, header->height, readBmpPixels(bytes, size, *header)};
}
