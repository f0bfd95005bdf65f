#include "CubeMesh.h"

#include <glm/geometric.hpp>

namespace {

// A face seen from outside: `right` and `up` as the viewer sees them, so
// that right x up = normal and the corners below run counter-clockwise.
struct CubeFace {
    glm::vec3 normal;
    glm::vec3 up;
};

// The side faces have +y as up, so wall textures stand upright. The top face
// (the floor the player walks on) and the bottom face take their up along z.
constexpr CubeFace kFaces[] = {
    {{1, 0, 0}, {0, 1, 0}},  {{-1, 0, 0}, {0, 1, 0}}, {{0, 0, 1}, {0, 1, 0}},
    {{0, 0, -1}, {0, 1, 0}}, {{0, 1, 0}, {0, 0, -1}}, {{0, -1, 0}, {0, 0, 1}},
};

}  // namespace

TriangleMesh makeCube() {
    TriangleMesh cube;
    for (const CubeFace& face : kFaces) {
        const glm::vec3 right = glm::cross(face.up, face.normal);
        // v grows upwards on the face: the loader's v flip together with the
        // DDS row order then puts the image's top row at the face's top.
        const auto corner = [&](float across, float along) {
            return Corner{face.normal + across * right + along * face.up,
                          glm::vec2((across + 1.0f) / 2.0f, (along + 1.0f) / 2.0f), face.normal};
        };
        cube.addQuad(corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1));
    }
    return cube;
}
