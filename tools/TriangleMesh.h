#pragma once

#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

// One corner of a triangle as the game's OBJ subset describes it. The uv is
// written to the file as it is here; the game's loader negates v when it
// reads it.
struct Corner {
    glm::vec3 position;
    glm::vec2 uv;
    glm::vec3 normal;
};

// A triangle list, three corners per triangle, counter-clockwise seen from
// the side the normals point to.
struct TriangleMesh {
    std::vector<Corner> corners;

    void addTriangle(const Corner& a, const Corner& b, const Corner& c);
    // A quad a-b-c-d (counter-clockwise) as the triangles a-b-c and a-c-d,
    // which share the diagonal a-c.
    void addQuad(const Corner& a, const Corner& b, const Corner& c, const Corner& d);
    std::size_t triangleCount() const { return corners.size() / 3; }
};
