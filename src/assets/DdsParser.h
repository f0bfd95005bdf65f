#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The compressed formats of EXT_texture_compression_s3tc, by value, so that
// the parser needs no GL header.
constexpr std::uint32_t kCompressedRgbaS3tcDxt1 = 0x83F1;
constexpr std::uint32_t kCompressedRgbaS3tcDxt3 = 0x83F2;
constexpr std::uint32_t kCompressedRgbaS3tcDxt5 = 0x83F3;

constexpr std::size_t kDdsMagicBytes = 4;
constexpr std::size_t kDdsHeaderBytes = 124;
constexpr std::size_t kDdsDataOffset = kDdsMagicBytes + kDdsHeaderBytes;

// One mipmap level: where its blocks lie in the data block and how many.
struct DdsLevel {
    std::uint32_t level = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;
};

struct DdsTexture {
    std::uint32_t height = 0;
    std::uint32_t width = 0;
    std::uint32_t linearSize = 0;
    std::uint32_t mipMapCount = 0;
    std::uint32_t internalFormat = 0;
    std::uint32_t blockSize = 0;
    // The data block as far as the file holds it: never more than the
    // header's data size, less when the file ends early.
    std::vector<unsigned char> data;
    // The levels to upload, in order: the chain that the header describes,
    // cut before the first level that needs bytes the data block lacks.
    std::vector<DdsLevel> levels;
};

enum class DdsParseStatus { Ok, NotDds, UnsupportedFormat, TooLarge };

struct DdsParseResult {
    DdsParseStatus status = DdsParseStatus::NotDds;
    DdsTexture texture;  // filled only when status is Ok
};

// Bytes of the data block that the header announces: twice the linear size
// when the file has more than one level (room for the smaller levels).
std::uint64_t ddsDataSize(std::uint32_t linearSize, std::uint32_t mipMapCount);
// Whole 4 x 4 blocks, partial ones rounded up; saturates at the largest
// value instead of wrapping, so a huge level never looks small.
std::uint64_t ddsLevelBytes(std::uint32_t width, std::uint32_t height, std::uint32_t blockSize);
// Level 0 at width x height, each next one halved (never below 1), while the
// level is below mipMapCount and not 0 x 0, and while it fits in the
// dataBytes that remain. The chain ends with its 1 x 1 level, whatever
// mipMapCount says: GL has no level beyond it.
std::vector<DdsLevel> ddsLevels(std::uint32_t width, std::uint32_t height,
                                std::uint32_t mipMapCount, std::uint32_t blockSize,
                                std::uint64_t dataBytes);

// A file shorter than its header reads as if zeros followed. TooLarge when
// level 0 is wider or higher than maxEdgePixels, decided before the data
// block is copied.
DdsParseResult parseDds(const unsigned char* bytes, std::size_t size, std::uint32_t maxEdgePixels);
