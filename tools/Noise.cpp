#include "Noise.h"

#include <cmath>

std::uint64_t Random::next() {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Random::unit() {
    constexpr int kMantissaBits = 24;
    return static_cast<float>(next() >> (64 - kMantissaBits)) /
           static_cast<float>(1u << kMantissaBits);
}

float Random::between(float low, float high) {
    return low + (high - low) * unit();
}

int Random::integerBetween(int low, int high) {
    const auto span = static_cast<std::uint64_t>(high - low + 1);
    return low + static_cast<int>(next() % span);
}

float latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h = (h ^ (h >> 13)) * 0x297A2D39u;
    h ^= h >> 16;
    return static_cast<float>(h >> 8) / static_cast<float>(1u << 24);
}

namespace {

int wrap(int value, int period) {
    return ((value % period) + period) % period;
}

// Hermite smoothing, so the noise has no creases at lattice lines.
float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

}  // namespace

float periodicValueNoise(float x, float y, int periodX, int periodY, std::uint32_t seed) {
    const float cellX = std::floor(x);
    const float cellY = std::floor(y);
    const int x0 = wrap(static_cast<int>(cellX), periodX);
    const int y0 = wrap(static_cast<int>(cellY), periodY);
    const int x1 = wrap(x0 + 1, periodX);
    const int y1 = wrap(y0 + 1, periodY);
    const float tx = smooth(x - cellX);
    const float ty = smooth(y - cellY);
    const float top = lerp(latticeValue(x0, y0, seed), latticeValue(x1, y0, seed), tx);
    const float bottom = lerp(latticeValue(x0, y1, seed), latticeValue(x1, y1, seed), tx);
    return lerp(top, bottom, ty);
}

float tilingFractalNoise(float u, float v, int baseFrequency, int octaves, std::uint32_t seed) {
    float sum = 0.0f;
    float weight = 0.5f;
    float totalWeight = 0.0f;
    int frequency = baseFrequency;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * periodicValueNoise(u * frequency, v * frequency, frequency, frequency,
                                           seed + static_cast<std::uint32_t>(octave));
        totalWeight += weight;
        weight *= 0.5f;
        frequency *= 2;
    }
    return sum / totalWeight;
}
