#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

constexpr std::size_t kBmpHeaderBytes = 54;
// The file stores each row padded to this many bytes, and the upload reads
// rows with this alignment, so images of any width come out as stored.
constexpr std::size_t kBmpRowAlignment = 4;

// The header fields the loader uses, with the file's zeros already replaced
// by what they stand for.
struct BmpHeader {
    std::uint32_t dataOffset = 0;
    std::uint32_t imageSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Level 0 of the texture: height rows of width blue-green-red pixels, each
// row padded to kBmpRowAlignment bytes, first file row first.
struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
};

// Bytes that an upload of such an image reads: padded rows, in 64 bits so
// that no width and height can overflow it.
std::uint64_t bmpPixelBytes(std::int32_t width, std::int32_t height);

// nullopt for a file the loader refuses: a header shorter than 54 bytes, no
// "BM" signature, compression, other than 24 bits per pixel, a width or
// height that is not positive, or pixels too many for the format's 32-bit
// image size.
std::optional<BmpHeader> readBmpHeader(const unsigned char* bytes, std::size_t size);
// The pixel array as the upload reads it: the image-size bytes from the data
// offset, zeros where the file or the image-size field ends early.
std::vector<unsigned char> readBmpPixels(const unsigned char* bytes, std::size_t size,
                                         const BmpHeader& header);
// The two steps together, for an upload whose level 0 may be at most
// maxEdgePixels wide and high. Refused besides the header's own refusals: a
// larger image, and a file that ends before the pixel array that its header
// describes, so that no header can make the load allocate more than the file
// itself holds.
std::optional<BmpImage> parseBmpImage(const unsigned char* bytes, std::size_t size,
                                      std::uint32_t maxEdgePixels);
