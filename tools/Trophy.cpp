#include "Trophy.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <glm/geometric.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "Noise.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int kSegmentsAround = 40;
constexpr int kHandleSegmentsAlong = 16;
constexpr int kHandleSegmentsAround = 10;
constexpr float kHandleTubeRadius = 0.035f;
// How far a handle's ends sink into the cup wall, so no open end shows.
constexpr float kHandleEmbedding = 0.025f;
// v stays inside (0, 1), so the repeat wrap never blends the texture's top
// and bottom rows into the ends of the profile.
constexpr float kVMargin = 0.02f;

enum class Zone { Plinth, Stem, Bowl, Rim, Inside };

// One piece of the lathe profile in (radius, height), a cubic Bezier curve
// sampled in `segments` steps. Neighbouring pieces share their end points;
// where their directions differ the mesh gets a crease.
struct ProfilePiece {
    glm::vec2 p0, p1, p2, p3;
    int segments;
    Zone zone;
};

ProfilePiece line(glm::vec2 from, glm::vec2 to, Zone zone) {
    return {from, from + (to - from) / 3.0f, from + (to - from) * (2.0f / 3.0f), to, 1, zone};
}

// From the centre of the underside, round the outside up to the rim, then
// down the inside of the cup to its centre.
const std::vector<ProfilePiece>& profile() {
    static const std::vector<ProfilePiece> pieces = {
        line({0.0f, -1.2f}, {0.58f, -1.2f}, Zone::Plinth),
        line({0.58f, -1.2f}, {0.58f, -1.08f}, Zone::Plinth),
        line({0.58f, -1.08f}, {0.53f, -1.03f}, Zone::Plinth),
        line({0.53f, -1.03f}, {0.41f, -1.03f}, Zone::Plinth),
        line({0.41f, -1.03f}, {0.41f, -0.94f}, Zone::Plinth),
        line({0.41f, -0.94f}, {0.30f, -0.94f}, Zone::Plinth),
        {{0.30f, -0.94f}, {0.30f, -0.82f}, {0.10f, -0.80f}, {0.09f, -0.62f}, 6, Zone::Stem},
        line({0.09f, -0.62f}, {0.075f, -0.48f}, Zone::Stem),
        {{0.075f, -0.48f}, {0.16f, -0.48f}, {0.185f, -0.43f}, {0.185f, -0.38f}, 4, Zone::Stem},
        {{0.185f, -0.38f}, {0.185f, -0.33f}, {0.16f, -0.28f}, {0.075f, -0.28f}, 4, Zone::Stem},
        line({0.075f, -0.28f}, {0.075f, -0.16f}, Zone::Stem),
        {{0.075f, -0.16f}, {0.36f, -0.14f}, {0.53f, 0.25f}, {0.55f, 0.76f}, 10, Zone::Bowl},
        {{0.55f, 0.76f}, {0.575f, 0.78f}, {0.575f, 0.80f}, {0.545f, 0.80f}, 3, Zone::Rim},
        {{0.545f, 0.80f}, {0.49f, 0.60f}, {0.40f, 0.0f}, {0.0f, -0.04f}, 8, Zone::Inside},
    };
    return pieces;
}

glm::vec2 bezierPoint(const ProfilePiece& piece, float t) {
    const float s = 1.0f - t;
    return s * s * s * piece.p0 + 3.0f * s * s * t * piece.p1 + 3.0f * s * t * t * piece.p2 +
           t * t * t * piece.p3;
}

glm::vec2 bezierDirection(const ProfilePiece& piece, float t) {
    const float s = 1.0f - t;
    return 3.0f * s * s * (piece.p1 - piece.p0) + 6.0f * s * t * (piece.p2 - piece.p1) +
           3.0f * t * t * (piece.p3 - piece.p2);
}

// A sampled profile point: position, outward normal in (radius, height) and
// the fraction of the profile's length before it.
struct ProfileSample {
    glm::vec2 point;
    glm::vec2 normal;
    float arc;
};

// Travelling along the profile, the solid lies to the left, so the outward
// normal is the direction turned clockwise.
glm::vec2 outwardNormal(glm::vec2 direction) {
    return glm::normalize(glm::vec2(direction.y, -direction.x));
}

std::vector<std::vector<ProfileSample>> sampleProfile() {
    std::vector<std::vector<ProfileSample>> samples;
    float length = 0.0f;
    for (const ProfilePiece& piece : profile()) {
        std::vector<ProfileSample> pieceSamples;
        for (int i = 0; i <= piece.segments; ++i) {
            const float t = static_cast<float>(i) / piece.segments;
            const glm::vec2 point = bezierPoint(piece, t);
            if (i > 0) {
                length += glm::distance(point, pieceSamples.back().point);
            }
            pieceSamples.push_back({point, outwardNormal(bezierDirection(piece, t)), length});
        }
        samples.push_back(pieceSamples);
    }
    for (auto& pieceSamples : samples) {
        for (ProfileSample& sample : pieceSamples) {
            sample.arc /= length;
        }
    }
    return samples;
}

float vFromArc(float arc) {
    return kVMargin + (1.0f - 2.0f * kVMargin) * arc;
}

// The arc range that each zone covers, for the texture.
struct ZoneSpan {
    Zone zone;
    float firstArc;
    float lastArc;
};

std::vector<ZoneSpan> zoneSpans() {
    const auto samples = sampleProfile();
    std::vector<ZoneSpan> spans;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Zone zone = profile()[i].zone;
        if (spans.empty() || spans.back().zone != zone) {
            spans.push_back({zone, samples[i].front().arc, samples[i].back().arc});
        } else {
            spans.back().lastArc = samples[i].back().arc;
        }
    }
    return spans;
}

// Adds a triangle or quad in the order that makes its face normal agree with
// its corners' normals, so every face winds counter-clockwise from outside.
void addOutwardTriangle(TriangleMesh& mesh, const Corner& a, const Corner& b, const Corner& c) {
    const glm::vec3 face = glm::cross(b.position - a.position, c.position - a.position);
    if (glm::dot(face, a.normal + b.normal + c.normal) >= 0.0f) {
        mesh.addTriangle(a, b, c);
    } else {
        mesh.addTriangle(a, c, b);
    }
}

void addOutwardQuad(TriangleMesh& mesh, const Corner& a, const Corner& b, const Corner& c,
                    const Corner& d) {
    const glm::vec3 face = glm::cross(c.position - a.position, d.position - b.position);
    if (glm::dot(face, a.normal + b.normal + c.normal + d.normal) >= 0.0f) {
        mesh.addQuad(a, b, c, d);
    } else {
        mesh.addQuad(a, d, c, b);
    }
}

Corner latheCorner(const ProfileSample& sample, float u) {
    const float angle = 2.0f * kPi * u;
    const glm::vec3 radial(std::cos(angle), 0.0f, std::sin(angle));
    const glm::vec3 position = radial * sample.point.x + glm::vec3(0.0f, sample.point.y, 0.0f);
    const glm::vec3 normal = radial * sample.normal.x + glm::vec3(0.0f, sample.normal.y, 0.0f);
    return {position, glm::vec2(u, vFromArc(sample.arc)), glm::normalize(normal)};
}

bool onAxis(const ProfileSample& sample) {
    return sample.point.x == 0.0f;
}

void addLathe(TriangleMesh& mesh) {
    for (const auto& pieceSamples : sampleProfile()) {
        for (std::size_t i = 0; i + 1 < pieceSamples.size(); ++i) {
            const ProfileSample& lower = pieceSamples[i];
            const ProfileSample& upper = pieceSamples[i + 1];
            for (int j = 0; j < kSegmentsAround; ++j) {
                const float u0 = static_cast<float>(j) / kSegmentsAround;
                const float u1 = static_cast<float>(j + 1) / kSegmentsAround;
                // At the axis a ring shrinks to a point: one triangle per step,
                // its axis corner halfway round in u so the UVs keep an area.
                const float uMid = (u0 + u1) / 2.0f;
                if (onAxis(lower)) {
                    addOutwardTriangle(mesh, latheCorner(lower, uMid), latheCorner(upper, u0),
                                       latheCorner(upper, u1));
                } else if (onAxis(upper)) {
                    addOutwardTriangle(mesh, latheCorner(lower, u0), latheCorner(lower, u1),
                                       latheCorner(upper, uMid));
                } else {
                    addOutwardQuad(mesh, latheCorner(lower, u0), latheCorner(lower, u1),
                                   latheCorner(upper, u1), latheCorner(upper, u0));
                }
            }
        }
    }
}

// The outer radius of the cup at a height, read off the sampled bowl.
float bowlRadiusAt(float height) {
    const auto samples = sampleProfile();
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (profile()[i].zone != Zone::Bowl) {
            continue;
        }
        const auto& bowl = samples[i];
        for (std::size_t k = 0; k + 1 < bowl.size(); ++k) {
            const glm::vec2 a = bowl[k].point;
            const glm::vec2 b = bowl[k + 1].point;
            if (height >= a.y && height <= b.y) {
                return a.x + (b.x - a.x) * (height - a.y) / (b.y - a.y);
            }
        }
    }
    return 0.0f;
}

// A handle: a tube along a curve in the plane z = 0 on the +x side, from the
// cup wall out and down and back into the wall; `side` -1 mirrors it to -x
// (a half turn about y, which keeps the winding).
void addHandle(TriangleMesh& mesh, float side, float v) {
    constexpr float kTopHeight = 0.55f;
    constexpr float kBottomHeight = 0.12f;
    const glm::vec2 start(bowlRadiusAt(kTopHeight) - kHandleEmbedding, kTopHeight);
    const glm::vec2 end(bowlRadiusAt(kBottomHeight) - kHandleEmbedding, kBottomHeight);
    const ProfilePiece path{start, {0.86f, 0.66f},       {0.90f, 0.14f},
                            end,   kHandleSegmentsAlong, Zone::Bowl};
    const glm::vec3 across(0.0f, 0.0f, 1.0f);
    const auto corner = [&](int along, int around) {
        const float t = static_cast<float>(along) / kHandleSegmentsAlong;
        const float turn = static_cast<float>(around) / kHandleSegmentsAround;
        const glm::vec2 centre = bezierPoint(path, t);
        const glm::vec2 sideways = outwardNormal(bezierDirection(path, t));
        const float angle = 2.0f * kPi * turn;
        const glm::vec3 normal =
            std::cos(angle) * glm::vec3(sideways, 0.0f) + std::sin(angle) * across;
        const glm::vec3 position = glm::vec3(centre, 0.0f) + kHandleTubeRadius * normal;
        const glm::vec3 mirror(side, 1.0f, side);
        // A narrow band of v: the handle takes the colour of the cup beside it.
        return Corner{position * mirror, glm::vec2(t, v + 0.05f * turn), normal * mirror};
    };
    for (int along = 0; along < kHandleSegmentsAlong; ++along) {
        for (int around = 0; around < kHandleSegmentsAround; ++around) {
            addOutwardQuad(mesh, corner(along, around), corner(along + 1, around),
                           corner(along + 1, around + 1), corner(along, around + 1));
        }
    }
}

float bowlMiddleV() {
    for (const ZoneSpan& span : zoneSpans()) {
        if (span.zone == Zone::Bowl) {
            return vFromArc((span.firstArc + span.lastArc) / 2.0f);
        }
    }
    return 0.5f;
}

}  // namespace

TriangleMesh makeTrophyMesh() {
    TriangleMesh mesh;
    addLathe(mesh);
    addHandle(mesh, 1.0f, bowlMiddleV());
    addHandle(mesh, -1.0f, bowlMiddleV());
    return mesh;
}

namespace {

constexpr std::uint32_t kBrushSeed = 71;
constexpr int kBrushCellsAround = 6;
constexpr int kBrushCellsAlong = 90;
constexpr float kEngravedBands[] = {0.35f, 0.42f};  // fractions up the bowl
constexpr float kBandHalfWidth = 0.012f;

glm::vec3 mix(glm::vec3 a, glm::vec3 b, float t) {
    return a + (b - a) * t;
}

// Colour of a zone at a fraction `along` of its length (0 at its lower end
// on the outside, at the rim for the inside).
glm::vec3 zoneColour(Zone zone, float along) {
    switch (zone) {
        case Zone::Plinth:
            return mix({0.08f, 0.09f, 0.11f}, {0.22f, 0.22f, 0.25f}, along);
        case Zone::Stem:
            return mix({0.55f, 0.38f, 0.12f}, {0.80f, 0.60f, 0.20f}, along);
        case Zone::Bowl: {
            glm::vec3 colour = mix({0.78f, 0.57f, 0.18f}, {1.0f, 0.84f, 0.42f}, along);
            for (const float band : kEngravedBands) {
                if (std::fabs(along - band) < kBandHalfWidth) {
                    colour *= 0.55f;
                }
            }
            return colour;
        }
        case Zone::Rim:
            return {1.0f, 0.93f, 0.62f};
        case Zone::Inside:
            return mix({0.85f, 0.65f, 0.25f}, {0.40f, 0.27f, 0.08f}, along);
    }
    return {1.0f, 0.0f, 1.0f};
}

glm::vec3 colourAtArc(const std::vector<ZoneSpan>& spans, float arc) {
    for (const ZoneSpan& span : spans) {
        if (arc <= span.lastArc) {
            const float along = (arc - span.firstArc) / (span.lastArc - span.firstArc);
            return zoneColour(span.zone, std::clamp(along, 0.0f, 1.0f));
        }
    }
    return zoneColour(spans.back().zone, 1.0f);
}

}  // namespace

Image makeTrophyGradient(int sizePixels) {
    const std::vector<ZoneSpan> spans = zoneSpans();
    Image image(sizePixels, sizePixels);
    for (int y = 0; y < sizePixels; ++y) {
        // Row 0 is the image's top, which the mesh's largest v reaches.
        const float v = 1.0f - (y + 0.5f) / sizePixels;
        const float arc = std::clamp((v - kVMargin) / (1.0f - 2.0f * kVMargin), 0.0f, 1.0f);
        const glm::vec3 base = colourAtArc(spans, arc);
        for (int x = 0; x < sizePixels; ++x) {
            const float u = (x + 0.5f) / sizePixels;
            // Fine rings round the axis, like turned metal; they tile in u.
            const float brush = periodicValueNoise(u * kBrushCellsAround, v * kBrushCellsAlong,
                                                   kBrushCellsAround, kBrushCellsAlong, kBrushSeed);
            const glm::vec3 colour = base * (0.92f + 0.16f * brush);
            image.setPixel(x, y, colour.r, colour.g, colour.b);
        }
    }
    return image;
}
