#include "Icon.h"

#include <algorithm>
#include <cmath>

namespace {

// The food cubes' rim colour (shaders/foodShader.fragmentshader) around a
// paler core than theirs.
constexpr float kGemCore[] = {0.85f, 1.0f, 0.9f};
constexpr float kGemRim[] = {0.05f, 0.9f, 0.45f};
// The gem covers the middle half of a whole icon. In a maskable one it is
// smaller, so that its corners (at 0.2 * sqrt(2) = 0.28 of the side from the
// middle) stay well inside the safe zone's 0.4 whatever shape cuts the stone.
constexpr float kGemHalfWidth = 0.25f;
constexpr float kMaskableGemHalfWidth = 0.2f;
// A quarter of the wall's side, shrunk to the icon: a few courses of stone,
// large enough to read as blocks at 64 pixels.
constexpr int kWallPatchDivisor = 4;

float smoothstep(float from, float to, float x) {
    const float t = std::clamp((x - from) / (to - from), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

Image wallPatch(const Image& wallDiffuse, int sizePixels) {
    Image patch(wallDiffuse.width / kWallPatchDivisor, wallDiffuse.height / kWallPatchDivisor);
    for (int y = 0; y < patch.height; ++y) {
        std::copy_n(wallDiffuse.pixel(0, y), patch.width * 4, patch.pixel(0, y));
    }
    while (patch.width >= 2 * sizePixels) {
        patch = halveImage(patch);
    }
    return patch.width == sizePixels ? patch : resampleImage(patch, sizePixels, sizePixels);
}

}  // namespace

Image makeIcon(const Image& wallDiffuse, int sizePixels, IconCrop crop) {
    const float gemHalfWidth = crop == IconCrop::Maskable ? kMaskableGemHalfWidth : kGemHalfWidth;
    Image icon = wallPatch(wallDiffuse, sizePixels);
    for (int y = 0; y < icon.height; ++y) {
        for (int x = 0; x < icon.width; ++x) {
            // The wall's alpha holds its shine: the icon is opaque.
            icon.pixel(x, y)[3] = 255;
            const float u = (x + 0.5f) / icon.width - 0.5f;
            const float v = (y + 0.5f) / icon.height - 0.5f;
            const float edge = std::max(std::fabs(u), std::fabs(v)) / gemHalfWidth;
            if (edge > 1.0f) {
                continue;
            }
            const float rim = smoothstep(0.2f, 0.95f, edge);
            icon.setPixel(x, y, kGemCore[0] + (kGemRim[0] - kGemCore[0]) * rim,
                          kGemCore[1] + (kGemRim[1] - kGemCore[1]) * rim,
                          kGemCore[2] + (kGemRim[2] - kGemCore[2]) * rim);
        }
    }
    return icon;
}
