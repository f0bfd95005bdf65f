#include "StoneWall.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

#include "Noise.h"

namespace {

constexpr std::uint64_t kLayoutSeed = 0x5701E5u;
constexpr std::uint32_t kEdgeWobbleSeed = 11;
constexpr std::uint32_t kSurfaceSeed = 23;
constexpr std::uint32_t kPitSeed = 37;
constexpr std::uint32_t kGrainSeed = 41;
constexpr std::uint32_t kMortarSeed = 53;

// Lengths below are in course heights unless they say pixels.
constexpr int kCourses = 8;  // a course is a quarter unit tall on a 2-unit wall
constexpr float kShortestStone = 1.3f;
constexpr float kLongestStone = 2.7f;
constexpr float kJointHalfWidth = 0.05f;
constexpr float kBevelWidth = 0.16f;
constexpr float kEdgeWobble = 0.07f;

// Heights in pixels, so that pixel differences are slopes.
constexpr float kStoneRelief = 7.0f;
constexpr float kSurfaceRelief = 2.5f;
constexpr float kPitDepth = 2.0f;
constexpr float kMortarRoughness = 1.0f;

// Pits: where a fine noise passes the threshold, sharpened into small holes.
constexpr float kPitThreshold = 0.71f;
constexpr float kPitSharpness = 8.0f;

const glm::vec3 kStoneColour{0.52f, 0.48f, 0.43f};
const glm::vec3 kMortarColour{0.24f, 0.23f, 0.21f};
// Per-stone warmth shifts the colour between a reddish and a bluish grey.
const glm::vec3 kWarmTint{0.03f, 0.0f, -0.03f};
constexpr float kStoneShine = 0.45f;
constexpr float kMortarShine = 0.03f;
constexpr float kPitDarkening = 0.35f;   // pits hold dirt
constexpr float kJointDarkening = 0.2f;  // worn edges darken towards the joint

// One course of stones: joints at the running sums of the stones' lengths (in
// texture widths). Every course starts and ends with a joint at the
// texture's edge, so that the wall shader may shift a block's stones by whole
// courses, or mirror them, and the joints still meet across block edges.
struct Course {
    std::vector<float> ends;  // cumulative end of each stone, the last is 1
    std::vector<float> brightness;
    std::vector<float> warmth;
};

std::vector<Course> layCourses() {
    Random random(kLayoutSeed);
    const float shortest = kShortestStone / kCourses;
    const float longest = kLongestStone / kCourses;
    std::vector<Course> courses(kCourses);
    for (Course& course : courses) {
        float laid = 0.0f;
        while (1.0f - laid > longest + shortest) {
            laid += random.between(shortest, longest);
            course.ends.push_back(laid);
        }
        if (1.0f - laid > longest) {
            laid += (1.0f - laid) / 2.0f;  // split what is left into two stones
            course.ends.push_back(laid);
        }
        course.ends.push_back(1.0f);
        for (std::size_t i = 0; i < course.ends.size(); ++i) {
            course.brightness.push_back(random.between(0.78f, 1.15f));
            course.warmth.push_back(random.between(-0.6f, 0.6f));
        }
    }
    return courses;
}

// Where a texel lies in the layout.
struct StoneSite {
    float edgeDistance;  // course heights to the nearest joint centre line
    float brightness;
    float warmth;
};

StoneSite locate(const std::vector<Course>& courses, float u, float v) {
    const float courseV = v * kCourses;
    const int row = std::min(kCourses - 1, static_cast<int>(courseV));
    const Course& course = courses[row];
    const float along = u - std::floor(u);
    std::size_t stone = 0;
    while (course.ends[stone] <= along) {
        ++stone;
    }
    const float stoneStart = stone == 0 ? 0.0f : course.ends[stone - 1];
    const float toSides =
        std::min(along - stoneStart, course.ends[stone] - along) * kCourses;  // in course heights
    const float toTopOrBottom = std::min(courseV - row, row + 1 - courseV);
    return {std::min(toSides, toTopOrBottom), course.brightness[stone], course.warmth[stone]};
}

// A fraction in [0, 1] spread onto [low, high].
float spread(float fraction, float low, float high) {
    return low + (high - low) * fraction;
}

// Everything the three images need at one texel.
struct Texel {
    float height;
    glm::vec3 colour;
    float shine;
};

Texel shadeTexel(const std::vector<Course>& courses, float u, float v) {
    const StoneSite site = locate(courses, u, v);
    const float wobble = (tilingFractalNoise(u, v, 16, 3, kEdgeWobbleSeed) - 0.5f) * kEdgeWobble;
    const float edge = site.edgeDistance + wobble;
    const float grain = tilingFractalNoise(u, v, 32, 4, kGrainSeed);

    if (edge < kJointHalfWidth) {
        const float rough = tilingFractalNoise(u, v, 128, 2, kMortarSeed);
        return {rough * kMortarRoughness, kMortarColour * spread(rough, 0.75f, 1.25f),
                kMortarShine};
    }

    // A rounded bevel from the joint up to the stone's face.
    const float bevel = std::clamp((edge - kJointHalfWidth) / kBevelWidth, 0.0f, 1.0f);
    const float rounded = 1.0f - (1.0f - bevel) * (1.0f - bevel);
    const float surface = tilingFractalNoise(u, v, 8, 5, kSurfaceSeed);
    const float pitNoise = tilingFractalNoise(u, v, 64, 2, kPitSeed);
    const float pit = std::clamp((pitNoise - kPitThreshold) * kPitSharpness, 0.0f, 1.0f);

    const float height = kStoneRelief * rounded + kSurfaceRelief * surface - kPitDepth * pit;

    glm::vec3 colour = kStoneColour * site.brightness;
    colour += kWarmTint * site.warmth;
    colour *= spread(grain, 0.8f, 1.2f);
    colour *= 1.0f - kPitDarkening * pit;
    colour *= 1.0f - kJointDarkening * (1.0f - rounded);
    const float shine = kStoneShine * spread(grain, 0.4f, 1.2f) * rounded * (1.0f - pit);
    return {height, colour, shine};
}

int wrap(int value, int size) {
    return (value % size + size) % size;
}

}  // namespace

// The normal map's frame: on every face of our meshes the v flip of the OBJ
// loader mirrors the texture, and the tangent-basis step then turns the
// tangent round to keep the frame's handedness. So the tangent the shader
// receives points towards decreasing s (image left), the bitangent towards
// increasing t (image down, as row 0 is at t = 0), the normal out of the
// surface. Red holds the component along that tangent, green along the
// bitangent, blue along the normal.
WallMaterial makeStoneWall(int sizePixels) {
    const std::vector<Course> courses = layCourses();
    const int size = sizePixels;
    std::vector<float> heights(static_cast<std::size_t>(size) * size);
    WallMaterial material{Image(size, size), Image(size, size), Image(size, size)};

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = (x + 0.5f) / size;
            const float v = (y + 0.5f) / size;
            const Texel texel = shadeTexel(courses, u, v);
            heights[y * size + x] = texel.height;
            material.diffuse.setPixel(x, y, texel.colour.r, texel.colour.g, texel.colour.b,
                                      texel.shine);
            material.specular.setPixel(x, y, texel.shine, texel.shine, texel.shine);
        }
    }

    const auto heightAt = [&](int x, int y) {
        return heights[wrap(y, size) * size + wrap(x, size)];
    };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float slopeRight = (heightAt(x + 1, y) - heightAt(x - 1, y)) / 2.0f;
            const float slopeDown = (heightAt(x, y + 1) - heightAt(x, y - 1)) / 2.0f;
            // The surface normal in (image right, image down, out) ...
            const glm::vec3 normal = glm::normalize(glm::vec3(-slopeRight, -slopeDown, 1.0f));
            // ... and in the frame the shader uses, whose tangent runs leftwards.
            const glm::vec3 encoded(-normal.x, normal.y, normal.z);
            const glm::vec3 stored = encoded * 0.5f + 0.5f;
            material.normal.setPixel(x, y, stored.r, stored.g, stored.b);
        }
    }
    return material;
}
