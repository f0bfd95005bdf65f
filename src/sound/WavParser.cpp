#include "sound/WavParser.h"

#include <algorithm>
#include <cstring>

#include "assets/LittleEndian.h"

namespace {

constexpr std::size_t riffHeaderBytes = 12;
constexpr std::size_t chunkHeaderBytes = 8;
constexpr std::size_t pcmFormatBytes = 16;
constexpr std::uint16_t pcmFormatTag = 1;
constexpr std::uint16_t bitsPerSample = 16;

bool tagIs(const unsigned char* at, const char* tag) {
    return std::memcmp(at, tag, 4) == 0;
}

// The "fmt " chunk of 16-bit mono PCM: its sample rate, or 0 for anything else.
int monoPcm16Rate(const unsigned char* format, std::size_t size) {
    if (size < pcmFormatBytes || readLittleEndian16(format) != pcmFormatTag ||
        readLittleEndian16(format + 2) != 1 || readLittleEndian16(format + 14) != bitsPerSample) {
        return 0;
    }
    const std::uint32_t rate = readLittleEndian32(format + 4);
    return rate > 0 && rate <= 192000 ? static_cast<int>(rate) : 0;
}

}  // namespace

std::optional<SoundClip> parseWav(const std::vector<unsigned char>& bytes) {
    if (bytes.size() < riffHeaderBytes || !tagIs(bytes.data(), "RIFF") ||
        !tagIs(bytes.data() + 8, "WAVE")) {
        return std::nullopt;
    }
    int sampleRate = 0;
    for (std::size_t at = riffHeaderBytes; bytes.size() - at >= chunkHeaderBytes;) {
        const unsigned char* chunk = bytes.data() + at;
        const std::size_t left = bytes.size() - at - chunkHeaderBytes;
        const std::size_t size = std::min<std::size_t>(readLittleEndian32(chunk + 4), left);
        const unsigned char* body = chunk + chunkHeaderBytes;
        if (tagIs(chunk, "fmt ")) {
            sampleRate = monoPcm16Rate(body, size);
        } else if (tagIs(chunk, "data")) {
            if (sampleRate == 0) {
                return std::nullopt;
            }
            SoundClip clip{sampleRate, std::vector<std::int16_t>(size / 2)};
            for (std::size_t i = 0; i < clip.samples.size(); ++i) {
                clip.samples[i] = static_cast<std::int16_t>(readLittleEndian16(body + 2 * i));
            }
            return clip;
        }
        // Chunks are padded to an even length.
        at += chunkHeaderBytes + size + (size % 2);
        if (at > bytes.size()) {
            break;
        }
    }
    return std::nullopt;
}
