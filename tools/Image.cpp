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

namespace {

// Where a destination pixel's centre falls among the source's, as the lower
// source index and the weight of the one after it.
struct SourceSpan {
    int low;
    int high;
    float weight;
};

SourceSpan sourceSpan(int destination, int destinationSize, int sourceSize) {
    const float centre = (destination + 0.5f) * sourceSize / destinationSize - 0.5f;
    const float clamped = std::clamp(centre, 0.0f, static_cast<float>(sourceSize - 1));
    const int low = static_cast<int>(clamped);
    return {low, std::min(low + 1, sourceSize - 1), clamped - low};
}

}  // namespace

Image resampleImage(const Image& image, int widthPixels, int heightPixels) {
    Image resized(widthPixels, heightPixels);
    for (int y = 0; y < heightPixels; ++y) {
        const SourceSpan row = sourceSpan(y, heightPixels, image.height);
        for (int x = 0; x < widthPixels; ++x) {
            const SourceSpan column = sourceSpan(x, widthPixels, image.width);
            for (int c = 0; c < kChannels; ++c) {
                const auto at = [&](int sx, int sy) { return float(image.pixel(sx, sy)[c]); };
                const float top = at(column.low, row.low) * (1 - column.weight) +
                                  at(column.high, row.low) * column.weight;
                const float bottom = at(column.low, row.high) * (1 - column.weight) +
                                     at(column.high, row.high) * column.weight;
                resized.pixel(x, y)[c] = toByte((top * (1 - row.weight) + bottom * row.weight) / 255.0f);
            }
        }
    }
    return resized;
}

std::vector<Image> mipChain(const Image& levelZero) {
    std::vector<Image> levels{levelZero};
    while (levels.back().width > 1 || levels.back().height > 1) {
        levels.push_back(halveImage(levels.back()));
    }
    return levels;
}

Image withFewerLevels(const Image& image, int bits) {
    const float steps = static_cast<float>((1 << bits) - 1);
    Image coarse = image;
    for (std::uint8_t& channel : coarse.rgba) {
        channel = toByte(std::round(channel / 255.0f * steps) / steps);
    }
    return coarse;
}
