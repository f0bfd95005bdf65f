#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

// The most distinct vertices that a 16-bit element index can address: taken
// from the index type, so that the two cannot drift apart.
constexpr std::size_t kMaxIndexedVertices =
    std::size_t{std::numeric_limits<std::uint16_t>::max()} + 1;

// True when a and b differ by less than the merge tolerance (0.01).
bool nearlyEqual(float a, float b);

// Finds the first (lowest-index) stored vertex whose position, UV and normal
// all lie within the tolerance of the given corner. Leaves `result` untouched
// when nothing matches.
bool findSimilarVertex(const glm::vec3& position, const glm::vec2& uv, const glm::vec3& normal,
                       const std::vector<glm::vec3>& outPositions,
                       const std::vector<glm::vec2>& outUvs,
                       const std::vector<glm::vec3>& outNormals, std::uint16_t& result);

// Turns per-corner arrays into distinct vertices and 16-bit indices, summing
// the tangents and bitangents of merged corners. The five inputs must be of
// equal length. The outputs are appended to (the mesh passes them empty).
// Returns false, with every output cut back to its length on entry, when the
// mesh has more than vertexLimit distinct vertices: a wrapped index would
// silently draw the wrong triangles. The limit must not exceed
// kMaxIndexedVertices; a smaller one lets a test reach the boundary without
// paying for the quadratic merge search at full size.
bool indexMeshWithTangents(const std::vector<glm::vec3>& positions,
                           const std::vector<glm::vec2>& uvs, const std::vector<glm::vec3>& normals,
                           const std::vector<glm::vec3>& tangents,
                           const std::vector<glm::vec3>& bitangents,
                           std::vector<std::uint16_t>& outIndices,
                           std::vector<glm::vec3>& outPositions, std::vector<glm::vec2>& outUvs,
                           std::vector<glm::vec3>& outNormals, std::vector<glm::vec3>& outTangents,
                           std::vector<glm::vec3>& outBitangents,
                           std::size_t vertexLimit = kMaxIndexedVertices);
