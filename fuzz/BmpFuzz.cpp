// libFuzzer target for the BMP parsing step: the header checks, the pixel
// array size and the copy of the pixels. Every byte that the upload would
// hand to GL is read here, so ASan sees any array shorter than the upload.

#include <cstddef>
#include <cstdint>

#include "assets/BmpParser.h"

namespace {

// A header may announce up to 4 GiB of pixels, which a load would allocate
// and zero; the fuzzer skips those above its memory budget.
constexpr std::uint64_t kMaxFuzzPixelBytes = 1u << 20;

}  // namespace

volatile unsigned sink = 0;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<BmpHeader> header = readBmpHeader(data, size);
    if (!header) {
        return 0;
    }
    const std::uint64_t uploadBytes = bmpPixelBytes(header->width, header->height);
    if (header->width <= 0 || header->height <= 0 || uploadBytes > UINT32_MAX) {
        __builtin_trap();
    }
    if (uploadBytes > kMaxFuzzPixelBytes) {
        return 0;
    }
    const std::vector<unsigned char> pixels = readBmpPixels(data, size, *header);
    if (pixels.size() != uploadBytes) {
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
