#include "WavWriter.h"

#include "ByteWriter.h"

namespace {
constexpr std::uint16_t pcmFormatTag = 1;
constexpr std::uint16_t bytesPerSample = 2;
constexpr std::uint32_t formatChunkBytes = 16;
// "WAVE", then the format chunk and the data chunk's headers.
constexpr std::uint32_t headerBytesAfterRiff = 4 + 8 + formatChunkBytes + 8;
}  // namespace

std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples, int sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * bytesPerSample);
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    ByteWriter out;
    out.text("RIFF");
    out.u32(headerBytesAfterRiff + dataBytes);
    out.text("WAVE");
    out.text("fmt ");
    out.u32(formatChunkBytes);
    out.u16(pcmFormatTag);
    out.u16(1);  // mono
    out.u32(rate);
    out.u32(rate * bytesPerSample);
    out.u16(bytesPerSample);
    out.u16(16);
    out.text("data");
    out.u32(dataBytes);
    for (const std::int16_t sample : samples) {
        out.u16(static_cast<std::uint16_t>(sample));
    }
    return out.take();
}
