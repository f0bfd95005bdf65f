#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/WavParser.h"

namespace {

using namespace std::string_literals;

// A WAVE file at 22,050 Hz of the samples 1000 and -2, an odd-sized chunk to
// pass over if asked, and a data chunk that may claim more than there is.
std::vector<unsigned char> wavBytes(char formatTag, char channels, char bits, bool extraChunk,
                                    char declaredDataBytes = 4) {
    std::string file = "RIFF\0\0\0\0WAVEfmt \x10\0\0\0"s + formatTag + '\0' + channels + '\0' +
                       "\x22\x56\0\0\x44\xac\0\0\x02\0"s + bits + '\0';
    if (extraChunk) {
        file += "LIST\x03\0\0\0abc\0"s;
    }
    file += "data"s + declaredDataBytes + "\0\0\0\xe8\x03\xfe\xff"s;
    return {file.begin(), file.end()};
}

}  // namespace

TEST(WavParser, ReadsSixteenBitMonoPcmAndRefusesAnyOther) {
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        bool read;
    } cases[] = {
        {"plain", wavBytes(1, 1, 16, false), true},
        {"with a chunk to pass over", wavBytes(1, 1, 16, true), true},
        {"cut short", wavBytes(1, 1, 16, false, 200), true},
        {"floating point", wavBytes(3, 1, 16, false), false},
        {"stereo", wavBytes(1, 2, 16, false), false},
        {"8-bit", wavBytes(1, 1, 8, false), false},
    };
    for (const auto& c : cases) {
        const std::optional<SoundClip> clip = parseWav(c.bytes);
        ASSERT_EQ(clip.has_value(), c.read) << c.name;
        if (clip) {
            EXPECT_EQ(clip->sampleRate, 22050) << c.name;
            EXPECT_EQ(clip->samples, std::vector<std::int16_t>({1000, -2})) << c.name;
        }
    }
}
