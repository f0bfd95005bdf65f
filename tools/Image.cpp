#include "Image.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kChannels = 4;
}

Image::Image(int widthPixels, int heightPixels)
    : width(widthPixels),
      height(heightPixels),
      rgba(static_cast<std::size_t>(widthPixels) * heightPixels * kChannels, 0) {}

void Image::setPixel(int x, int y, float r, float g, float b, float a) {
    std::uint8_t* p = pixel(x, y);
    p[0] = toByte(r);
    p[1] = toByte(g);
    p[2] = toByte(b);
    p[3] = toByte(a);
}

std::uint8_t toByte(float value) {
    const float clamped = std::clamp(value, 0.0f, 1.0f);
    return static_cast<std::uint8_t>(std::lround(clamped * 255.0f));
}

Image halveImage(const Image& image) {
    Image half(std::max(1, image.width / 2), std::max(1, image.height / 2));
    const int spanX = image.width > 1 ? 2 : 1;
    const int spanY = image.height > 1 ? 2 : 1;
    const int count = spanX * spanY;
    for (int y = 0; y < half.height; ++y) {
        for (int x = 0; x < half.width; ++x) {
            for (int c = 0; c < kChannels; ++c) {
                int sum = 0;
                for (int dy = 0; dy < spanY; ++dy) {
                    for (int dx = 0; dx < spanX; ++dx) {
                        sum += image.pixel(x * spanX + dx, y * spanY + dy)[c];
                    }
                }
                half.pixel(x, y)[c] = static_cast<std::uint8_t>((sum + count / 2) / count);
            }
        }
    }
    return half;
}

std::vector<Image> mipChain(const Image& levelZero) {
    std::vector<Image> levels{levelZero};
    while (levels.back().width > 1 || levels.back().height > 1) {
        levels.push_back(halveImage(levels.back()));
    }
    return levels;
}
