#include "render/VertexIndexing.h"

#include <cmath>

namespace {

// Corners this close in every component are taken for one vertex: it absorbs
// the rounding of exported OBJ files without merging real neighbours.
constexpr float kMergeTolerance = 0.01f;

// The output arrays as they were on entry, so that a refused mesh can leave
// them exactly as the caller passed them.
struct OutputLengths {
    std::size_t indices;
    std::size_t vertices;
};

}  // namespace

bool nearlyEqual(float a, float b) {
    return std::fabs(a - b) < kMergeTolerance;
}

bool findSimilarVertex(const glm::vec3& position, const glm::vec2& uv, const glm::vec3& normal,
                       const std::vector<glm::vec3>& outPositions,
                       const std::vector<glm::vec2>& outUvs,
                       const std::vector<glm::vec3>& outNormals, std::uint16_t& result) {
    for (std::size_t i = 0; i < outPositions.size(); ++i) {
        if (nearlyEqual(position.x, outPositions[i].x) &&
            nearlyEqual(position.y, outPositions[i].y) &&
            nearlyEqual(position.z, outPositions[i].z) && nearlyEqual(uv.x, outUvs[i].x) &&
            nearlyEqual(uv.y, outUvs[i].y) && nearlyEqual(normal.x, outNormals[i].x) &&
            nearlyEqual(normal.y, outNormals[i].y) && nearlyEqual(normal.z, outNormals[i].z)) {
            result = static_cast<std::uint16_t>(i);
            return true;
        }
    }
    return false;
}

bool indexMeshWithTangents(const std::vector<glm::vec3>& positions,
                           const std::vector<glm::vec2>& uvs, const std::vector<glm::vec3>& normals,
                           const std::vector<glm::vec3>& tangents,
                           const std::vector<glm::vec3>& bitangents,
                           std::vector<std::uint16_t>& outIndices,
                           std::vector<glm::vec3>& outPositions, std::vector<glm::vec2>& outUvs,
                           std::vector<glm::vec3>& outNormals, std::vector<glm::vec3>& outTangents,
                           std::vector<glm::vec3>& outBitangents, std::size_t vertexLimit) {
    const OutputLengths onEntry{outIndices.size(), outPositions.size()};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        std::uint16_t index = 0;
        if (findSimilarVertex(positions[i], uvs[i], normals[i], outPositions, outUvs, outNormals,
                              index)) {
            outIndices.push_back(index);
            outTangents[index] += tangents[i];
            outBitangents[index] += bitangents[i];
            continue;
        }
        if (outPositions.size() == vertexLimit) {
            outIndices.resize(onEntry.indices);
            outPositions.resize(onEntry.vertices);
            outUvs.resize(onEntry.vertices);
            outNormals.resize(onEntry.vertices);
            outTangents.resize(onEntry.vertices);
            outBitangents.resize(onEntry.vertices);
            return false;
        }
        outPositions.push_back(positions[i]);
        outUvs.push_back(uvs[i]);
        outNormals.push_back(normals[i]);
        outTangents.push_back(tangents[i]);
        outBitangents.push_back(bitangents[i]);
        outIndices.push_back(static_cast<std::uint16_t>(outPositions.size() - 1));
    }
    return true;
}
