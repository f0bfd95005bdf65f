#include "BmpWriter.h"

#include "ByteWriter.h"

namespace {
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 24;
constexpr std::uint32_t kBytesPerPixel = 3;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    const std::uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize;
    const std::uint32_t imageSize = width * height * kBytesPerPixel;

    ByteWriter out;
    out.text("BM");
    out.u32(dataOffset + imageSize);
    out.u32(0);  // reserved
    out.u32(dataOffset);
    out.u32(kInfoHeaderSize);
    out.u32(width);
    out.u32(height);  // positive: the rows are stored bottom-up
    out.u16(1);       // planes
    out.u16(kBitsPerPixel);
    out.u32(0);  // uncompressed
    out.u32(imageSize);
    out.u32(kPixelsPerMetre);
    out.u32(kPixelsPerMetre);
    out.u32(0);  // palette colours
    out.u32(0);  // important colours
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.pixel(x, y);
            out.u8(p[2]);
            out.u8(p[1]);
            out.u8(p[0]);
        }
    }
    return out.take();
}
