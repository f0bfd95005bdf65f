#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(const std::string& text);

// A directory of one test's own under /tmp, removed with everything in it
// when the test ends.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // Writes the file and returns its path.
    std::string write(const std::string& name, const Bytes& bytes) const;
    std::string write(const std::string& name, const std::string& text) const;
    // A path in the directory where no file is.
    std::string missing(const std::string& name) const;

  private:
    std::string root;
};

void putLittleEndian16(Bytes& bytes, std::size_t offset, std::uint16_t value);
void putLittleEndian32(Bytes& bytes, std::size_t offset, std::uint32_t value);

// GL_MAX_TEXTURE_SIZE of the machines the tests run on (Mesa's llvmpipe).
constexpr std::uint32_t kTestMaxTextureEdge = 16384;

// The header fields a test varies; the rest of a BMP header stays zero.
struct BmpFields {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t dataOffset = 54;
    std::uint32_t imageSize = 0;
};

// A header, filler bytes (0xEE) up to the data offset, then pixelData.
Bytes bmpFile(const BmpFields& fields, const Bytes& pixelData);

struct DdsFields {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t linearSize = 0;
    std::uint32_t mipMapCount = 0;
    std::string fourCc = "DXT1";
};

// "DDS ", a 124-byte header, then data.
Bytes ddsFile(const DdsFields& fields, const Bytes& data);

// One 4 x 4 DXT1 block in four-colour mode (colour0 > colour1): 2-bit
// indices, row 0 in the lowest byte, 0 picking colour0 and 1 colour1.
Bytes dxt1Block(std::uint16_t colour0, std::uint16_t colour1, std::uint32_t indices);

Bytes repeated(const Bytes& piece, std::size_t times);
Bytes joined(const std::vector<Bytes>& pieces);
