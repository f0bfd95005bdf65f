#pragma once

#include <cstdint>
#include <vector>

// An 8-bit RGBA picture, row 0 at the top. Every texture file is written from
// one of these, so "row 0" always means the first stored row and t = 0.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4 bytes, row by row

    Image() = default;
    Image(int widthPixels, int heightPixels);

    std::uint8_t* pixel(int x, int y) { return &rgba[(y * width + x) * 4]; }
    const std::uint8_t* pixel(int x, int y) const { return &rgba[(y * width + x) * 4]; }
    void setPixel(int x, int y, float r, float g, float b, float a = 1.0f);
};

// Quantises a value in [0, 1] (clamped) to a byte.
std::uint8_t toByte(float value);

// The next smaller mipmap level: each side halved (never below 1), each pixel
// the rounded mean of the 2 x 2 (or 2 x 1) pixels it covers.
Image halveImage(const Image& image);

// The picture at another size, each pixel blended from the four nearest
// (bilinear, pixel centres aligned): for sizes that halving cannot reach.
Image resampleImage(const Image& image, int widthPixels, int heightPixels);

// The picture with each channel rounded to the nearest of 2^bits evenly
// spaced values from 0 to 255: the same size and layout, and far fewer
// distinct bytes, so that it compresses several times better.
Image withFewerLevels(const Image& image, int bits);

// Level 0 and every smaller level down to 1 x 1, as the game's trilinear
// minification filter needs the whole chain.
std::vector<Image> mipChain(const Image& levelZero);
