#pragma once

#include <cstdint>
#include <vector>

// A RIFF WAVE file of 16-bit mono PCM samples at `sampleRate`: what the
// game's parser reads and OpenAL plays as it is.
std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples, int sampleRate);
