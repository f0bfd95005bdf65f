#include "render/TangentBasis.h"

#include <cmath>
#include <cstddef>

#include <glm/geometric.hpp>

namespace {

constexpr std::size_t kCornersPerTriangle = 3;

struct TangentPair {
    glm::vec3 tangent;
    glm::vec3 bitangent;
};

bool isFinite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// A usable unit normal for a fallback basis: the given normal when it has a
// length, else the normal of the plane that edgeA and edgeB span, else +z.
glm::vec3 fallbackNormal(const glm::vec3& normal, const glm::vec3& edgeA, const glm::vec3& edgeB) {
    const float length = glm::length(normal);
    if (std::isfinite(length) && length > 0.0f) {
        return normal / length;
    }
    const glm::vec3 planeNormal = glm::cross(edgeA, edgeB);
    const float planeLength = glm::length(planeNormal);
    if (std::isfinite(planeLength) && planeLength > 0.0f) {
        return planeNormal / planeLength;
    }
    return glm::vec3(0.0f, 0.0f, 1.0f);
}

// A unit vector perpendicular to the unit vector n: the world axis least
// aligned with n, with its component along n removed. For n = +z this is +x,
// the tangent that the usual UV layout of a face in the xy plane has.
glm::vec3 perpendicularUnitVector(const glm::vec3& n) {
    const glm::vec3 magnitude = glm::abs(n);
    glm::vec3 axis(0.0f, 0.0f, 1.0f);
    if (magnitude.x <= magnitude.y && magnitude.x <= magnitude.z) {
        axis = glm::vec3(1.0f, 0.0f, 0.0f);
    } else if (magnitude.y <= magnitude.z) {
        axis = glm::vec3(0.0f, 1.0f, 0.0f);
    }
    return glm::normalize(axis - n * glm::dot(n, axis));
}

TangentPair triangleTangents(const glm::vec3* positions, const glm::vec2* uvs,
                             const glm::vec3& firstNormal) {
    const glm::vec3 deltaPos1 = positions[1] - positions[0];
    const glm::vec3 deltaPos2 = positions[2] - positions[0];
    const glm::vec2 deltaUV1 = uvs[1] - uvs[0];
    const glm::vec2 deltaUV2 = uvs[2] - uvs[0];
    const float r = 1.0f / (deltaUV1.x * deltaUV2.y - deltaUV1.y * deltaUV2.x);
    const glm::vec3 tangent = (deltaPos1 * deltaUV2.y - deltaPos2 * deltaUV1.y) * r;
    const glm::vec3 bitangent = (deltaPos2 * deltaUV1.x - deltaPos1 * deltaUV2.x) * r;
    if (isFinite(tangent) && isFinite(bitangent)) {
        return {tangent, bitangent};
    }
    const glm::vec3 normal = fallbackNormal(firstNormal, deltaPos1, deltaPos2);
    const glm::vec3 fallbackTangent = perpendicularUnitVector(normal);
    return {fallbackTangent, glm::cross(normal, fallbackTangent)};
}

bool isUnitLength(const glm::vec3& v) {
    constexpr float kMinimumSquaredLength = 0.5f;
    return isFinite(v) && glm::dot(v, v) > kMinimumSquaredLength;
}

// Gram-Schmidt against the normal, then the handedness flip. The normal is
// used as given, not normalised first. A tangent with nothing left after the
// projection (parallel to the normal, or zero for a triangle without area)
// cannot be normalised, so it is replaced by one perpendicular to the normal.
glm::vec3 orthogonalTangent(const glm::vec3& normal, const glm::vec3& tangent,
                            const glm::vec3& bitangent) {
    glm::vec3 result = glm::normalize(tangent - normal * glm::dot(normal, tangent));
    if (!isUnitLength(result)) {
        result = perpendicularUnitVector(fallbackNormal(normal, tangent, bitangent));
    }
    if (glm::dot(glm::cross(normal, result), bitangent) < 0.0f) {
        result = result * -1.0f;
    }
    return result;
}

}  // namespace

void buildTangentBasis(const std::vector<glm::vec3>& vertices, const std::vector<glm::vec2>& uvs,
                       const std::vector<glm::vec3>& normals, std::vector<glm::vec3>& tangents,
                       std::vector<glm::vec3>& bitangents) {
    const std::size_t firstCorner = tangents.size();
    for (std::size_t i = 0; i + kCornersPerTriangle <= vertices.size(); i += kCornersPerTriangle) {
        const TangentPair pair = triangleTangents(&vertices[i], &uvs[i], normals[i]);
        for (std::size_t corner = 0; corner < kCornersPerTriangle; ++corner) {
            tangents.push_back(pair.tangent);
            bitangents.push_back(pair.bitangent);
        }
    }
    for (std::size_t i = 0; i < vertices.size() && firstCorner + i < tangents.size(); ++i) {
        tangents[firstCorner + i] =
            orthogonalTangent(normals[i], tangents[firstCorner + i], bitangents[firstCorner + i]);
    }
}
