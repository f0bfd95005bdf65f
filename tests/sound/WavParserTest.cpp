#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/WavParser.h"

namespace {

void put(std::vector<unsigned char>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

void putChunk(std::vector<unsigned char>& bytes, const std::string& tag,
              const std::vector<unsigned char>& body, std::uint32_t declaredSize) {
    bytes.insert(bytes.end(), tag.begin(), tag.end());
    put(bytes, declaredSize, 4);
    bytes.insert(bytes.end(), body.begin(), body.end());
}

struct WavFile {
    std::uint16_t formatTag = 1, channels = 1, bits = 16;
    // An odd-sized chunk before the data, padded to an even length.
    bool extraChunk = false;
    // The data chunk declares more bytes than the file holds.
    bool cutShort = false;
};

// Samples 1000 and -2 at 22,050 Hz, in a file shaped as `file` says.
std::vector<unsigned char> wavBytes(const WavFile& file) {
    std::vector<unsigned char> format;
    put(format, file.formatTag, 2);
    put(format, file.channels, 2);
    put(format, 22050, 4);
    put(format, 22050 * 2, 4);
    put(format, 2, 2);
    put(format, file.bits, 2);
    std::vector<unsigned char> bytes = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    putChunk(bytes, "fmt ", format, 16);
    if (file.extraChunk) {
        putChunk(bytes, "LIST", {'a', 'b', 'c', 0}, 3);
    }
    putChunk(bytes, "data", {0xe8, 0x03, 0xfe, 0xff}, file.cutShort ? 400 : 4);
    return bytes;
}

}  // namespace

TEST(WavParser, ReadsSixteenBitMonoPcmAndRefusesAnyOther) {
    const std::vector<std::int16_t> samples = {1000, -2};
    struct Case {
        const char* name;
        WavFile file;
        bool read;
    };
    const Case cases[] = {
        {"plain", {}, true},
        {"with a chunk to pass over", {1, 1, 16, true}, true},
        {"cut short", {1, 1, 16, false, true}, true},
        {"floating point", {3}, false},
        {"stereo", {1, 2}, false},
        {"8-bit", {1, 1, 8}, false},
    };
    for (const Case& c : cases) {
        const std::optional<SoundClip> clip = parseWav(wavBytes(c.file));
        ASSERT_EQ(clip.has_value(), c.read) << c.name;
        if (clip) {
            EXPECT_EQ(clip->sampleRate, 22050) << c.name;
            EXPECT_EQ(clip->samples, samples) << c.name;
        }
    }
    EXPECT_FALSE(parseWav({'R', 'I', 'F', 'F'}));
    std::vector<unsigned char> notWave = wavBytes({});
    notWave[8] = 'A';
    EXPECT_FALSE(parseWav(notWave));
}
