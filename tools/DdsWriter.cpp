#include "DdsWriter.h"

#include <squish.h>

#include "ByteWriter.h"

namespace {

constexpr std::uint32_t kHeaderSize = 124;
constexpr std::uint32_t kPixelFormatSize = 32;
constexpr int kReservedWords = 11;

// Header flags: caps, height, width, pixel format, mipmap count, linear size.
constexpr std::uint32_t kHeaderFlags = 0x1 | 0x2 | 0x4 | 0x1000 | 0x20000 | 0x80000;
constexpr std::uint32_t kPixelFormatFourCc = 0x4;
// Capabilities: complex surface, texture, mipmapped.
constexpr std::uint32_t kCaps = 0x8 | 0x1000 | 0x400000;

constexpr int kBlockSide = 4;
constexpr std::size_t kDxt1BlockBytes = 8;
constexpr std::size_t kDxt5BlockBytes = 16;

int squishFlags(DxtFormat format) {
    const int kind = format == DxtFormat::Dxt1 ? squish::kDxt1 : squish::kDxt5;
    return kind | squish::kColourClusterFit;
}

const char* fourCc(DxtFormat format) {
    return format == DxtFormat::Dxt1 ? "DXT1" : "DXT5";
}

void appendHeader(ByteWriter& out, const Image& levelZero, std::uint32_t levelCount,
                  DxtFormat format) {
    out.text("DDS ");
    out.u32(kHeaderSize);
    out.u32(kHeaderFlags);
    out.u32(static_cast<std::uint32_t>(levelZero.height));
    out.u32(static_cast<std::uint32_t>(levelZero.width));
    out.u32(
        static_cast<std::uint32_t>(compressedLevelSize(levelZero.width, levelZero.height, format)));
    out.u32(0);  // depth
    out.u32(levelCount);
    for (int i = 0; i < kReservedWords; ++i) {
        out.u32(0);
    }
    out.u32(kPixelFormatSize);
    out.u32(kPixelFormatFourCc);
    out.text(fourCc(format));
    for (int i = 0; i < 5; ++i) {
        out.u32(0);  // bit count and channel masks, unused with a four-character code
    }
    out.u32(kCaps);
    for (int i = 0; i < 4; ++i) {
        out.u32(0);  // caps2, caps3, caps4, reserved
    }
}

}  // namespace

std::size_t compressedLevelSize(int width, int height, DxtFormat format) {
    const std::size_t blocksAcross =
        (static_cast<std::size_t>(width) + kBlockSide - 1) / kBlockSide;
    const std::size_t blocksDown = (static_cast<std::size_t>(height) + kBlockSide - 1) / kBlockSide;
    const std::size_t blockBytes = format == DxtFormat::Dxt1 ? kDxt1BlockBytes : kDxt5BlockBytes;
    return blocksAcross * blocksDown * blockBytes;
}

std::vector<std::uint8_t> encodeDds(const Image& levelZero, DxtFormat format) {
    const std::vector<Image> levels = mipChain(levelZero);
    ByteWriter out;
    appendHeader(out, levelZero, static_cast<std::uint32_t>(levels.size()), format);
    for (const Image& level : levels) {
        std::vector<std::uint8_t> blocks(compressedLevelSize(level.width, level.height, format));
        squish::CompressImage(level.rgba.data(), level.width, level.height, blocks.data(),
                              squishFlags(format));
        out.bytes(blocks);
    }
    return out.take();
}
