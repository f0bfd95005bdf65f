#pragma once

#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

// Appends one tangent (the direction in which u grows) and one bitangent (v)
// per triangle corner; the three inputs hold three corners per triangle.
// Tangents come out perpendicular to the corner's normal, of unit length and
// flipped to the bitangent's side; bitangents stay as the triangle gives them.
//
// Degenerate input still gives finite values, so that no NaN reaches the
// shaders. A triangle whose UVs span no area has no u direction: it gets a
// tangent perpendicular to its first corner's normal (the world axis least
// aligned with that normal, made perpendicular to it) and bitangent =
// normal x tangent. A corner whose tangent cannot be made perpendicular to its
// normal (parallel to it, or zero on a triangle without area) gets the same
// kind of tangent.
void buildTangentBasis(const std::vector<glm::vec3>& vertices, const std::vector<glm::vec2>& uvs,
                       const std::vector<glm::vec3>& normals, std::vector<glm::vec3>& tangents,
                       std::vector<glm::vec3>& bitangents);
