#include "render/TangentBasis.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>
#include <glm/glm.hpp>

#include "support/VectorExpect.h"

namespace {

constexpr float kTolerance = 1e-6f;

struct Triangles {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;

    void add(const glm::vec3 (&corners)[3], const glm::vec2 (&cornerUvs)[3],
             const glm::vec3& normal) {
        for (int i = 0; i < 3; ++i) {
            positions.push_back(corners[i]);
            uvs.push_back(cornerUvs[i]);
            normals.push_back(normal);
        }
    }
};

struct Basis {
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
};

Basis basisOf(const Triangles& triangles) {
    Basis basis;
    buildTangentBasis(triangles.positions, triangles.uvs, triangles.normals, basis.tangents,
                      basis.bitangents);
    return basis;
}

bool isFinite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

const glm::vec3 kFacingZ(0.0f, 0.0f, 1.0f);
const glm::vec3 kUnitTriangle[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
const glm::vec2 kUnitUvs[3] = {{0, 0}, {1, 0}, {0, 1}};

}  // namespace

TEST(TangentBasis, AlignedTriangleGetsUnitTangentAlongUAndBitangentAlongV) {
    Triangles triangles;
    triangles.add(kUnitTriangle, kUnitUvs, kFacingZ);
    const Basis basis = basisOf(triangles);
    ASSERT_EQ(basis.tangents.size(), 3u);
    ASSERT_EQ(basis.bitangents.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        expectVec3Near(basis.tangents[i], glm::vec3(1, 0, 0), kTolerance);
        expectVec3Near(basis.bitangents[i], glm::vec3(0, 1, 0), kTolerance);
    }
}

TEST(TangentBasis, MirroredUTurnsTheTangentBackToTheBitangentsSide) {
    Triangles triangles;
    triangles.add(kUnitTriangle, {{0, 0}, {-1, 0}, {0, 1}}, kFacingZ);
    const Basis basis = basisOf(triangles);
    ASSERT_EQ(basis.tangents.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        expectVec3Near(basis.tangents[i], glm::vec3(1, 0, 0), kTolerance);
        expectVec3Near(basis.bitangents[i], glm::vec3(0, 1, 0), kTolerance);
    }
}

TEST(TangentBasis, TangentIsMadePerpendicularToTheNormalAndUnitLength) {
    Triangles triangles;
    triangles.add({{0, 0, 0}, {1, 0, 1}, {0, 1, 0}}, kUnitUvs, kFacingZ);
    const Basis basis = basisOf(triangles);
    ASSERT_EQ(basis.tangents.size(), 3u);
    expectVec3Near(basis.tangents[0], glm::vec3(1, 0, 0), kTolerance);
    expectVec3Near(basis.bitangents[0], glm::vec3(0, 1, 0), kTolerance);
}

TEST(TangentBasis, NormalIsUsedAsGivenWithoutNormalising) {
    // With a normal of length 2 the projection removes four times the
    // tangent's z: (1, 0, 1) - (0, 0, 2) * 2 = (1, 0, -3).
    Triangles triangles;
    triangles.add({{0, 0, 0}, {1, 0, 1}, {0, 1, 0}}, kUnitUvs, glm::vec3(0, 0, 2));
    const Basis basis = basisOf(triangles);
    ASSERT_EQ(basis.tangents.size(), 3u);
    expectVec3Near(basis.tangents[0], glm::normalize(glm::vec3(1, 0, -3)), kTolerance);
}

TEST(TangentBasis, HandednessOfExactlyZeroLeavesTheTangentUnflipped) {
    // The bitangent (0, 0, 1) lies along the normal, so cross(N, T) . B is 0.
    Triangles triangles;
    triangles.add({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}, kUnitUvs, kFacingZ);
    const Basis basis = basisOf(triangles);
    ASSERT_EQ(basis.tangents.size(), 3u);
    expectVec3Near(basis.tangents[0], glm::vec3(1, 0, 0), kTolerance);
    expectVec3Near(basis.bitangents[0], glm::vec3(0, 0, 1), kTolerance);
}

TEST(TangentBasis, EachTriangleGetsItsOwnBasis) {
    Triangles triangles;
    triangles.add(kUnitTriangle, kUnitUvs, kFacingZ);
    triangles.add(kUnitTriangle, {{0, 0}, {0, 1}, {1, 0}}, kFacingZ);
    const Basis basis = basisOf(triangles);
    ASSERT_EQ(basis.tangents.size(), 6u);
    expectVec3Near(basis.bitangents[0], glm::vec3(0, 1, 0), kTolerance);
    // u grows along y here, and v along x: the tangent is flipped to the
    // bitangent's side of the normal.
    expectVec3Near(basis.bitangents[3], glm::vec3(1, 0, 0), kTolerance);
    expectVec3Near(basis.tangents[3], glm::vec3(0, -1, 0), kTolerance);
}

TEST(TangentBasis, EmptyInputLeavesBothOutputsEmpty) {
    const Basis basis = basisOf(Triangles());
    EXPECT_TRUE(basis.tangents.empty());
    EXPECT_TRUE(basis.bitangents.empty());
}

TEST(TangentBasis, TriangleWithoutUvAreaGetsAFiniteBasisAroundItsNormal) {
    Triangles triangles;
    triangles.add(kUnitTriangle, {{0, 0}, {1, 1}, {2, 2}}, kFacingZ);
    triangles.add(kUnitTriangle, {{0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.5f}}, glm::vec3(0, 1, 0));
    const Basis basis = basisOf(triangles);
    ASSERT_EQ(basis.tangents.size(), 6u);
    ASSERT_EQ(basis.bitangents.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(isFinite(basis.tangents[i])) << "corner " << i;
        EXPECT_TRUE(isFinite(basis.bitangents[i])) << "corner " << i;
        EXPECT_NEAR(glm::length(basis.tangents[i]), 1.0f, kTolerance);
        EXPECT_NEAR(glm::dot(basis.tangents[i], triangles.normals[i]), 0.0f, kTolerance);
    }
    // For a normal along +z the chosen basis is the usual u = +x, v = +y.
    expectVec3Near(basis.tangents[0], glm::vec3(1, 0, 0), kTolerance);
    expectVec3Near(basis.bitangents[0], glm::vec3(0, 1, 0), kTolerance);
}

TEST(TangentBasis, TriangleWithoutAreaOrNormalStillGetsFiniteValues) {
    Triangles triangles;
    triangles.add({{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}, kUnitUvs, kFacingZ);
    triangles.add({{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}, {{0, 0}, {0, 0}, {0, 0}}, glm::vec3(0.0f));
    const Basis basis = basisOf(triangles);
    ASSERT_EQ(basis.tangents.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(isFinite(basis.tangents[i])) << "corner " << i;
        EXPECT_TRUE(isFinite(basis.bitangents[i])) << "corner " << i;
        EXPECT_NEAR(glm::length(basis.tangents[i]), 1.0f, kTolerance);
    }
}
