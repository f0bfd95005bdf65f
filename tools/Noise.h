#pragma once

#include <cstdint>

// A small seeded generator (SplitMix64) of our own, so that every run of the
// generator draws the same numbers and writes the same bytes.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state(seed) {}

    std::uint64_t next();
    // Uniform in [0, 1).
    float unit();
    float between(float low, float high);
    // Uniform integer in [low, high].
    int integerBetween(int low, int high);

  private:
    std::uint64_t state;
};

// A repeatable pseudo-random value in [0, 1) for an integer lattice point.
float latticeValue(int x, int y, std::uint32_t seed);

// Smoothly interpolated lattice noise in [0, 1) that repeats every `periodX`
// lattice units in x and `periodY` in y, so textures built from it tile
// without seams.
float periodicValueNoise(float x, float y, int periodX, int periodY, std::uint32_t seed);

// Sum of `octaves` layers of periodic noise at texture coordinates u, v in
// [0, 1): the first layer has `baseFrequency` lattice cells across the
// texture, each next layer twice as many at half the weight. Result in [0, 1).
float tilingFractalNoise(float u, float v, int baseFrequency, int octaves, std::uint32_t seed);
