// libFuzzer target for the BMP parsing step: the header checks, the pixel
// array size and the copy of the pixels. Every byte that the upload would
// hand to GL is read here, so ASan sees any array shorter than the upload.

#include <cstddef>
#include <cstdint>

#include "assets/AssetFiles.h"
#include "assets/BmpParser.h"

volatile unsigned sink = 0;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<BmpImage> image = parseBmpImage(data, size, kTestMaxTextureEdge);
    if (!image) {
        return 0;
    }
    // Whatever the header says, an image is never larger than GL allows nor
    // than the file that holds it.
    const std::optional<BmpHeader> header = readBmpHeader(data, size);
    const std::uint64_t uploadBytes = bmpPixelBytes(header->width, header->height);
    const std::vector<unsigned char>& pixels = image->pixels;
    if (header->width <= 0 || header->height <= 0 ||
        static_cast<std::uint32_t>(header->width) > kTestMaxTextureEdge ||
        static_cast<std::uint32_t>(header->height) > kTestMaxTextureEdge ||
        pixels.size() != uploadBytes || pixels.size() > size) {
        __builtin_trap();
    }
    // What the upload reads: height rows of 3 x width bytes at the padded
    // stride, through the raw pointer GL gets.
    const unsigned char* upload = pixels.data();
    const std::size_t stride = uploadBytes / static_cast<std::uint64_t>(header->height);
    unsigned checksum = 0;
    for (std::int32_t row = 0; row < header->height; ++row) {
        for (std::size_t i = 0; i < 3u * static_cast<std::size_t>(header->width); ++i) {
            checksum += upload[row * stride + i];
        }
    }
    // Each byte is the file's byte at the data offset, or zero past what the
    // file or its image-size field holds.
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const bool inFile = header->dataOffset + std::uint64_t{i} < size && i < header->imageSize;
        if (pixels[i] != (inFile ? data[header->dataOffset + i] : 0)) {
            __builtin_trap();
        }
    }
    // Kept, so that the reads above cannot be optimised away.
    sink = checksum;
    return 0;
}
