#include "assets/DxtDecoder.h"

#include <algorithm>
#include <array>

#include "assets/DdsParser.h"
#include "assets/LittleEndian.h"

namespace {

constexpr std::uint32_t blockEdgePixels = 4;
constexpr std::size_t bytesPerPixel = 4;
constexpr std::size_t colourBlockBytes = 8;

using Rgba = std::array<unsigned char, bytesPerPixel>;

// A 5- or 6-bit channel widened to 8 bits by repeating its high bits, so that
// the largest value stays the largest.
unsigned char widened(unsigned value, unsigned bits) {
    return static_cast<unsigned char>((value << (8 - bits)) | (value >> (2 * bits - 8)));
}

Rgba colourOf565(unsigned packed) {
    return {widened(packed >> 11 & 0x1f, 5), widened(packed >> 5 & 0x3f, 6),
            widened(packed & 0x1f, 5), 255};
}

// The four colours of a colour block. DXT1 with its first colour not above
// the second has three, and its fourth index is transparent black; DXT3 and
// DXT5 always have four.
std::array<Rgba, 4> paletteOf(const unsigned char* block, bool dxt1) {
    const unsigned first = readLittleEndian16(block);
    const unsigned second = readLittleEndian16(block + 2);
    std::array<Rgba, 4> palette{colourOf565(first), colourOf565(second), Rgba{}, Rgba{}};
    const bool threeColours = dxt1 && first <= second;
    for (std::size_t channel = 0; channel < 3; ++channel) {
        const unsigned a = palette[0][channel];
        const unsigned b = palette[1][channel];
        palette[2][channel] =
            static_cast<unsigned char>(threeColours ? (a + b) / 2 : (2 * a + b) / 3);
        palette[3][channel] = static_cast<unsigned char>(threeColours ? 0 : (a + 2 * b) / 3);
    }
    palette[2][3] = 255;
    palette[3][3] = threeColours ? 0 : 255;
    return palette;
}

void decodeColours(const unsigned char* block, bool dxt1, std::array<Rgba, 16>& pixels) {
    const std::array<Rgba, 4> palette = paletteOf(block, dxt1);
    const std::uint32_t indices = readLittleEndian32(block + 4);
    for (std::size_t pixel = 0; pixel < pixels.size(); ++pixel) {
        const Rgba& colour = palette[indices >> (2 * pixel) & 3];
        // The alpha of DXT3 and DXT5 comes from their own block.
        pixels[pixel] = {colour[0], colour[1], colour[2], dxt1 ? colour[3] : pixels[pixel][3]};
    }
}

// DXT3: sixteen explicit 4-bit alphas, widened to 8 bits.
void decodeExplicitAlpha(const unsigned char* block, std::array<Rgba, 16>& pixels) {
    for (std::size_t pixel = 0; pixel < pixels.size(); ++pixel) {
        const unsigned nibble = block[pixel / 2] >> (4 * (pixel % 2)) & 0xf;
        pixels[pixel][3] = static_cast<unsigned char>(nibble * 17);
    }
}

// DXT5: two alphas and 3-bit indices into the eight or six steps between
// them (six, with 0 and 255 beside them, when the first is not above the
// second).
void decodeInterpolatedAlpha(const unsigned char* block, std::array<Rgba, 16>& pixels) {
    const unsigned first = block[0];
    const unsigned second = block[1];
    std::array<unsigned, 8> alphas{first, second};
    const bool eightSteps = first > second;
    const unsigned steps = eightSteps ? 7 : 5;
    for (unsigned step = 1; step < steps; ++step) {
        alphas[step + 1] = ((steps - step) * first + step * second) / steps;
    }
    if (!eightSteps) {
        alphas[6] = 0;
        alphas[7] = 255;
    }
    std::uint64_t indices = 0;
    for (std::size_t byte = 0; byte < 6; ++byte) {
        indices |= static_cast<std::uint64_t>(block[2 + byte]) << (8 * byte);
    }
    for (std::size_t pixel = 0; pixel < pixels.size(); ++pixel) {
        pixels[pixel][3] = static_cast<unsigned char>(alphas[indices >> (3 * pixel) & 7]);
    }
}

std::array<Rgba, 16> decodeBlock(std::uint32_t format, const unsigned char* block) {
    std::array<Rgba, 16> pixels{};
    if (format == kCompressedRgbaS3tcDxt1) {
        decodeColours(block, true, pixels);
        return pixels;
    }
    if (format == kCompressedRgbaS3tcDxt3) {
        decodeExplicitAlpha(block, pixels);
    } else {
        decodeInterpolatedAlpha(block, pixels);
    }
    decodeColours(block + colourBlockBytes, false, pixels);
    return pixels;
}

}  // namespace

std::vector<unsigned char> decodeDxtLevel(std::uint32_t format, const unsigned char* blocks,
                                          std::size_t size, std::uint32_t width,
                                          std::uint32_t height) {
    const std::size_t blockBytes =
        format == kCompressedRgbaS3tcDxt1 ? colourBlockBytes : 2 * colourBlockBytes;
    const std::uint32_t blocksAcross = (width + blockEdgePixels - 1) / blockEdgePixels;
    const std::uint32_t blocksDown = (height + blockEdgePixels - 1) / blockEdgePixels;
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * bytesPerPixel);
    for (std::uint32_t by = 0; by < blocksDown; ++by) {
        for (std::uint32_t bx = 0; bx < blocksAcross; ++bx) {
            const std::size_t offset =
                (static_cast<std::size_t>(by) * blocksAcross + bx) * blockBytes;
            if (offset + blockBytes > size) {
                continue;
            }
            const std::array<Rgba, 16> pixels = decodeBlock(format, blocks + offset);
            for (std::uint32_t y = 0; y < blockEdgePixels && by * 4 + y < height; ++y) {
                for (std::uint32_t x = 0; x < blockEdgePixels && bx * 4 + x < width; ++x) {
                    const std::size_t at =
                        ((static_cast<std::size_t>(by) * 4 + y) * width + bx * 4 + x) *
                        bytesPerPixel;
                    const Rgba& pixel = pixels[y * blockEdgePixels + x];
                    std::copy(pixel.begin(), pixel.end(), rgba.begin() + static_cast<long>(at));
                }
            }
        }
    }
    return rgba;
}
