#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// One sound as the game plays it: 16-bit mono samples at a rate of its own.
struct SoundClip {
    int sampleRate = 0;
    std::vector<std::int16_t> samples;
};

// The clip in a RIFF WAVE file's bytes, when it holds 16-bit mono PCM (what
// the generator writes, and what OpenAL takes as it is); nullopt for any
// other file. Chunks other than "fmt " and "data" are passed over; a data
// chunk cut short by the file's end keeps what is there.
std::optional<SoundClip> parseWav(const std::vector<unsigned char>& bytes);
