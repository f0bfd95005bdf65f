#include "render/VertexIndexing.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Per-corner input as the tangent basis hands it to the indexer.
struct Corners {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;

    void add(const glm::vec3& position, const glm::vec2& uv = glm::vec2(0.0f),
             const glm::vec3& normal = glm::vec3(0.0f, 0.0f, 1.0f),
             const glm::vec3& tangent = glm::vec3(1.0f, 0.0f, 0.0f),
             const glm::vec3& bitangent = glm::vec3(0.0f, 1.0f, 0.0f)) {
        positions.push_back(position);
        uvs.push_back(uv);
        normals.push_back(normal);
        tangents.push_back(tangent);
        bitangents.push_back(bitangent);
    }
};

struct IndexedMesh {
    bool accepted = false;
    std::vector<std::uint16_t> indices;
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
};

IndexedMesh indexCorners(const Corners& corners, std::size_t vertexLimit = kMaxIndexedVertices) {
    IndexedMesh mesh;
    mesh.accepted =
        indexMeshWithTangents(corners.positions, corners.uvs, corners.normals, corners.tangents,
                              corners.bitangents, mesh.indices, mesh.positions, mesh.uvs,
                              mesh.normals, mesh.tangents, mesh.bitangents, vertexLimit);
    return mesh;
}

// The boundary is tried at this limit rather than the game's: the merge
// search is quadratic, and at 65,536 vertices each side of it took half a
// minute under the sanitizers.
constexpr std::size_t kSmallVertexLimit = 16;

// Appends corners first, first + 1, ... of a row whose corners are pairwise
// further apart than the merge tolerance.
void addDistinctCorners(Corners& corners, std::size_t first, std::size_t count) {
    constexpr float kSpacing = 0.02f;
    for (std::size_t i = first; i < first + count; ++i) {
        corners.add(glm::vec3(static_cast<float>(i) * kSpacing, 0.0f, 0.0f));
    }
}

Corners distinctCorners(std::size_t count) {
    Corners corners;
    addDistinctCorners(corners, 0, count);
    return corners;
}

}  // namespace

TEST(VertexIndexing, ToleranceIsStrictlyBelowOneHundredth) {
    EXPECT_TRUE(nearlyEqual(0.0f, 0.009f));
    EXPECT_TRUE(nearlyEqual(-0.009f, 0.0f));
    EXPECT_FALSE(nearlyEqual(0.0f, 0.01f));
    EXPECT_FALSE(nearlyEqual(0.01f, 0.0f));
    EXPECT_FALSE(nearlyEqual(0.0f, 0.011f));
}

TEST(VertexIndexing, CornersWithinToleranceInOneComponentMerge) {
    Corners corners;
    corners.add(glm::vec3(1.0f, 2.0f, 3.0f));
    corners.add(glm::vec3(1.0f, 2.009f, 3.0f));
    corners.add(glm::vec3(1.0f, 2.0f, 3.02f));
    const IndexedMesh mesh = indexCorners(corners);
    EXPECT_TRUE(mesh.accepted);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint16_t>{0, 0, 1}));
    ASSERT_EQ(mesh.positions.size(), 2u);
    // The vertex keeps the corner that created it.
    EXPECT_EQ(mesh.positions[0], glm::vec3(1.0f, 2.0f, 3.0f));
}

TEST(VertexIndexing, DifferentUvOrNormalKeepsCornersApart) {
    Corners corners;
    corners.add(glm::vec3(0.0f), glm::vec2(0.0f, 0.0f));
    corners.add(glm::vec3(0.0f), glm::vec2(0.0f, 0.01f));
    corners.add(glm::vec3(0.0f), glm::vec2(0.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    const IndexedMesh mesh = indexCorners(corners);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint16_t>{0, 1, 2}));
    EXPECT_EQ(mesh.uvs.size(), 3u);
    EXPECT_EQ(mesh.normals.size(), 3u);
}

TEST(VertexIndexing, MergedCornersSumTheirTangentsAndBitangentsUnnormalised) {
    Corners corners;
    corners.add(glm::vec3(0.0f), glm::vec2(0.0f), glm::vec3(0, 0, 1), glm::vec3(1, 0, 0),
                glm::vec3(0, 1, 0));
    corners.add(glm::vec3(0.0f), glm::vec2(0.0f), glm::vec3(0, 0, 1), glm::vec3(0, 1, 0),
                glm::vec3(0, 0, 2));
    const IndexedMesh mesh = indexCorners(corners);
    ASSERT_EQ(mesh.tangents.size(), 1u);
    EXPECT_EQ(mesh.tangents[0], glm::vec3(1.0f, 1.0f, 0.0f));
    EXPECT_EQ(mesh.bitangents[0], glm::vec3(0.0f, 1.0f, 2.0f));
}

TEST(VertexIndexing, TangentsTakeNoPartInTheMatch) {
    Corners corners;
    corners.add(glm::vec3(0.0f), glm::vec2(0.0f), glm::vec3(0, 0, 1), glm::vec3(1, 0, 0));
    corners.add(glm::vec3(0.0f), glm::vec2(0.0f), glm::vec3(0, 0, 1), glm::vec3(-1, 0, 0));
    EXPECT_EQ(indexCorners(corners).positions.size(), 1u);
}

TEST(VertexIndexing, ToleranceIsNotTransitive) {
    // B joins A; C is near B but is only ever compared with A, so it starts
    // a vertex of its own.
    Corners corners;
    corners.add(glm::vec3(0.0f, 0.0f, 0.0f));
    corners.add(glm::vec3(0.006f, 0.0f, 0.0f));
    corners.add(glm::vec3(0.012f, 0.0f, 0.0f));
    const IndexedMesh mesh = indexCorners(corners);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint16_t>{0, 0, 1}));
    ASSERT_EQ(mesh.positions.size(), 2u);
    EXPECT_EQ(mesh.positions[1].x, 0.012f);
}

TEST(VertexIndexing, CornerNearTwoVerticesJoinsTheLowerIndexAndNoMatchLeavesTheIndexAlone) {
    Corners stored;
    stored.add(glm::vec3(0.0f, 0.0f, 0.0f));
    stored.add(glm::vec3(0.012f, 0.0f, 0.0f));
    std::uint16_t index = 99;
    EXPECT_TRUE(findSimilarVertex(glm::vec3(0.006f, 0.0f, 0.0f), glm::vec2(0.0f),
                                  glm::vec3(0, 0, 1), stored.positions, stored.uvs, stored.normals,
                                  index));
    EXPECT_EQ(index, 0);

    EXPECT_TRUE(findSimilarVertex(glm::vec3(0.015f, 0.0f, 0.0f), glm::vec2(0.0f),
                                  glm::vec3(0, 0, 1), stored.positions, stored.uvs, stored.normals,
                                  index));
    EXPECT_EQ(index, 1);

    EXPECT_FALSE(findSimilarVertex(glm::vec3(1.0f), glm::vec2(0.0f), glm::vec3(0, 0, 1),
                                   stored.positions, stored.uvs, stored.normals, index));
    EXPECT_EQ(index, 1);
}

TEST(VertexIndexing, TriangleOfNewCornersGetsTheNextThreeIndices) {
    Corners corners = distinctCorners(4);
    corners.add(glm::vec3(0.0f));  // repeats corner 0
    corners.add(glm::vec3(10.0f, 0.0f, 0.0f));
    corners.add(glm::vec3(11.0f, 0.0f, 0.0f));
    corners.add(glm::vec3(12.0f, 0.0f, 0.0f));
    const IndexedMesh mesh = indexCorners(corners);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint16_t>{0, 1, 2, 3, 0, 4, 5, 6}));
    EXPECT_EQ(mesh.positions.size(), 7u);
    EXPECT_EQ(mesh.tangents.size(), 7u);
    EXPECT_EQ(mesh.bitangents.size(), 7u);
}

TEST(VertexIndexing, EmptyInputGivesEmptyOutputs) {
    const IndexedMesh mesh = indexCorners(Corners());
    EXPECT_TRUE(mesh.accepted);
    EXPECT_TRUE(mesh.indices.empty());
    EXPECT_TRUE(mesh.positions.empty());
    EXPECT_TRUE(mesh.tangents.empty());
}

TEST(VertexIndexing, MeshOfExactlyTheLimitFitsWithEveryIndexBelowIt) {
    const IndexedMesh mesh = indexCorners(distinctCorners(kSmallVertexLimit), kSmallVertexLimit);
    EXPECT_TRUE(mesh.accepted);
    ASSERT_EQ(mesh.indices.size(), kSmallVertexLimit);
    EXPECT_EQ(mesh.indices.back(), kSmallVertexLimit - 1);
    EXPECT_EQ(mesh.positions.size(), kSmallVertexLimit);
}

TEST(VertexIndexing, MeshWithOneVertexTooManyIsRefusedAndLeftEmpty) {
    constexpr std::size_t kBeforeRepeat = 10;
    Corners corners = distinctCorners(kBeforeRepeat);
    // A merge before the overflow must not survive the refusal either.
    corners.add(glm::vec3(0.0f), glm::vec2(0.0f), glm::vec3(0, 0, 1), glm::vec3(0, 5, 0));
    addDistinctCorners(corners, kBeforeRepeat, kSmallVertexLimit + 1 - kBeforeRepeat);
    const IndexedMesh mesh = indexCorners(corners, kSmallVertexLimit);
    EXPECT_FALSE(mesh.accepted);
    EXPECT_TRUE(mesh.indices.empty());
    EXPECT_TRUE(mesh.positions.empty());
    EXPECT_TRUE(mesh.uvs.empty());
    EXPECT_TRUE(mesh.normals.empty());
    EXPECT_TRUE(mesh.tangents.empty());
    EXPECT_TRUE(mesh.bitangents.empty());
}
