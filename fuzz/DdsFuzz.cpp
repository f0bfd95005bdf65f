// libFuzzer target for the DDS parsing step: the header, the data block and
// the level table. Every byte of every level is read through the pointer
// the upload hands to GL, so ASan sees any level that leaves the data block.

#include <cstddef>
#include <cstdint>

#include "assets/AssetFiles.h"
#include "assets/DdsParser.h"

volatile unsigned sink = 0;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DdsParseResult result = parseDds(data, size, kTestMaxTextureEdge);
    if (result.status != DdsParseStatus::Ok) {
        return 0;
    }
    const DdsTexture& texture = result.texture;
    if (texture.width > kTestMaxTextureEdge || texture.height > kTestMaxTextureEdge) {
        __builtin_trap();
    }
    const std::size_t inFile = size > kDdsDataOffset ? size - kDdsDataOffset : 0;
    if (texture.data.size() > inFile ||
        texture.data.size() > ddsDataSize(texture.linearSize, texture.mipMapCount)) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < texture.data.size(); ++i) {
        if (texture.data[i] != data[kDdsDataOffset + i]) {
            __builtin_trap();
        }
    }
    std::uint64_t expectedOffset = 0;
    unsigned checksum = 0;
    for (std::size_t i = 0; i < texture.levels.size(); ++i) {
        const DdsLevel& level = texture.levels[i];
        if (level.level != i || level.offset != expectedOffset ||
            level.level >= texture.mipMapCount ||
            level.size != ddsLevelBytes(level.width, level.height, texture.blockSize) ||
            level.offset + level.size > texture.data.size() ||
            (i + 1 < texture.levels.size() && level.width == 1 && level.height == 1)) {
            __builtin_trap();
        }
        const unsigned char* blocks = texture.data.data() + level.offset;
        for (std::uint64_t b = 0; b < level.size; ++b) {
            checksum += blocks[b];
        }
        expectedOffset += level.size;
    }
    // Kept, so that the reads above cannot be optimised away.
    sink = checksum;
    return 0;
}
