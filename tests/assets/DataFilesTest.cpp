// The game's data files meet what the rest of the game takes for granted,
// read with the game's own parsers and mesh pipeline; no GL context needed.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glm/geometric.hpp>

#include "DataFiles.h"
#include "assets/AssetFiles.h"
#include "assets/BmpParser.h"
#include "assets/DdsParser.h"
#include "render/VertexIndexing.h"

namespace {

struct Bounds {
    glm::vec3 low{INFINITY};
    glm::vec3 high{-INFINITY};
};

Bounds boundsOf(const std::vector<glm::vec3>& positions) {
    Bounds bounds;
    for (const glm::vec3& p : positions) {
        bounds.low = glm::min(bounds.low, p);
        bounds.high = glm::max(bounds.high, p);
    }
    return bounds;
}

// Triangles whose corners, taken in file order, turn clockwise when seen
// from the side their normals point to: with back-face culling on they
// would vanish from the front and show from inside.
int trianglesFacingInwards(const ObjMesh& mesh) {
    int inwards = 0;
    for (std::size_t i = 0; i + 2 < mesh.positions.size(); i += 3) {
        const glm::vec3 face = glm::cross(mesh.positions[i + 1] - mesh.positions[i],
                                          mesh.positions[i + 2] - mesh.positions[i]);
        const glm::vec3 normals = mesh.normals[i] + mesh.normals[i + 1] + mesh.normals[i + 2];
        if (glm::dot(face, normals) <= 0.0f) {
            ++inwards;
        }
    }
    return inwards;
}

// How the texture lies on one triangle: the surface directions in which the
// texture coordinates s and t grow, with the t the game samples (the loader
// has negated v; t = 0 is the image's top row).
struct TextureAxes {
    glm::vec3 alongS;
    glm::vec3 alongT;
};

TextureAxes textureAxes(const ObjMesh& mesh, std::size_t first) {
    const glm::vec3 edge1 = mesh.positions[first + 1] - mesh.positions[first];
    const glm::vec3 edge2 = mesh.positions[first + 2] - mesh.positions[first];
    const glm::vec2 uv1 = mesh.uvs[first + 1] - mesh.uvs[first];
    const glm::vec2 uv2 = mesh.uvs[first + 2] - mesh.uvs[first];
    const float determinant = uv1.x * uv2.y - uv1.y * uv2.x;
    return {(edge1 * uv2.y - edge2 * uv1.y) / determinant,
            (edge2 * uv1.x - edge1 * uv2.x) / determinant};
}

TEST(DataMeshes, CubeSpansMinusOneToOneWithTwelveTriangles) {
    const ObjMesh cube = readDataMesh("cube_clean.obj");
    EXPECT_EQ(cube.positions.size(), 36u);
    const Bounds bounds = boundsOf(cube.positions);
    EXPECT_EQ(bounds.low, glm::vec3(-1.0f));
    EXPECT_EQ(bounds.high, glm::vec3(1.0f));
}

TEST(DataMeshes, CubeIndexesToFourVerticesPerFace) {
    const IndexedMesh cube = indexMesh(readDataMesh("cube_clean.obj"));
    EXPECT_TRUE(cube.fits);
    EXPECT_EQ(cube.indices.size(), 36u);
    EXPECT_EQ(cube.positions.size(), 24u);
}

TEST(DataMeshes, CubeFacesPointOutwardsAndWindCounterClockwise) {
    const ObjMesh cube = readDataMesh("cube_clean.obj");
    EXPECT_EQ(trianglesFacingInwards(cube), 0);
    for (std::size_t i = 0; i < cube.positions.size(); i += 3) {
        const glm::vec3 centre =
            (cube.positions[i] + cube.positions[i + 1] + cube.positions[i + 2]) / 3.0f;
        EXPECT_GT(glm::dot(cube.normals[i], centre), 0.0f) << "triangle " << i / 3;
    }
}

// Wall courses must run level and read the right way round: the image's top
// at the top of every side face, and not mirrored seen from outside. The top
// face, the floor, must not be mirrored seen from above.
TEST(DataMeshes, CubeShowsTheTextureUprightAndUnmirrored) {
    const ObjMesh cube = readDataMesh("cube_clean.obj");
    for (std::size_t i = 0; i < cube.positions.size(); i += 3) {
        SCOPED_TRACE("triangle " + std::to_string(i / 3));
        const TextureAxes axes = textureAxes(cube, i);
        const glm::vec3 normal = cube.normals[i];
        const glm::vec3 imageUp = -axes.alongT;
        EXPECT_GT(glm::dot(glm::cross(axes.alongS, imageUp), normal), 0.0f);
        if (normal.y == 0.0f) {
            EXPECT_EQ(glm::normalize(imageUp), glm::vec3(0.0f, 1.0f, 0.0f));
        }
        // The whole image on each 2 x 2 face: one texture unit per 2 world units.
        EXPECT_FLOAT_EQ(glm::length(axes.alongS), 2.0f);
        EXPECT_FLOAT_EQ(glm::length(axes.alongT), 2.0f);
    }
}

constexpr std::size_t kFewestSculptureTriangles = 1000;
constexpr std::size_t kMostSculptureTriangles = 5000;

TEST(DataMeshes, SculptureHasOneToFiveThousandTrianglesWithinSixteenBitIndices) {
    const ObjMesh sculpture = readDataMesh("suzanne.obj");
    const std::size_t triangles = sculpture.positions.size() / 3;
    EXPECT_GE(triangles, kFewestSculptureTriangles);
    EXPECT_LE(triangles, kMostSculptureTriangles);
    const IndexedMesh indexed = indexMesh(sculpture);
    EXPECT_TRUE(indexed.fits);
    EXPECT_LE(indexed.positions.size(), kMaxIndexedVertices);
}

// The game puts the model's origin 1.2 above the floor at the centre of the
// cell beyond the exit; the sculpture must stand on the floor, about two
// units tall, and stay within that 2-unit cell.
TEST(DataMeshes, SculptureStandsOnTheFloorWithinItsCell) {
    const Bounds bounds = boundsOf(readDataMesh("suzanne.obj").positions);
    constexpr float kOriginAboveFloor = 1.2f;
    EXPECT_NEAR(bounds.low.y, -kOriginAboveFloor, 0.01f);
    EXPECT_GT(bounds.high.y, 0.6f);
    EXPECT_LT(bounds.high.y, 1.0f);
    for (const float extent : {bounds.low.x, bounds.low.z, bounds.high.x, bounds.high.z}) {
        EXPECT_LT(std::fabs(extent), 1.0f);
    }
}

TEST(DataMeshes, SculptureFacesWindCounterClockwiseFromOutside) {
    EXPECT_EQ(trianglesFacingInwards(readDataMesh("suzanne.obj")), 0);
}

// Smooth shading needs unit normals, and the tangent basis of the load
// pipeline divides by each triangle's texture area: a triangle without one
// would give the vertex non-finite tangents.
TEST(DataMeshes, SculptureHasUnitNormalsAndFiniteTangents) {
    const ObjMesh sculpture = readDataMesh("suzanne.obj");
    for (const glm::vec3& normal : sculpture.normals) {
        ASSERT_NEAR(glm::length(normal), 1.0f, 1e-4f);
    }
    const IndexedMesh indexed = indexMesh(sculpture);
    for (std::size_t i = 0; i < indexed.tangents.size(); ++i) {
        ASSERT_TRUE(std::isfinite(glm::length(indexed.tangents[i]))) << "vertex " << i;
        ASSERT_TRUE(std::isfinite(glm::length(indexed.bitangents[i]))) << "vertex " << i;
    }
}

struct DdsExpectation {
    const char* name;
    std::uint32_t format;
};

// The game sets no sampling parameters, and its default trilinear filter
// samples nothing unless every level down to 1 x 1 is there. The glyph atlas
// needs a full alpha channel for its antialiased edges, and so does the wall's
// diffuse map, which carries the shine.
TEST(DataTextures, EveryDdsFileHoldsItsWholeMipChain) {
    const DdsExpectation files[] = {{"diffuse.DDS", kCompressedRgbaS3tcDxt5},
                                    {"specular.DDS", kCompressedRgbaS3tcDxt1},
                                    {"grad.DDS", kCompressedRgbaS3tcDxt1},
                                    {"Holstein.DDS", kCompressedRgbaS3tcDxt5}};
    for (const DdsExpectation& file : files) {
        SCOPED_TRACE(file.name);
        const std::vector<unsigned char> bytes = readDataFile(file.name);
        const DdsParseResult parsed = parseDds(bytes.data(), bytes.size(), kTestMaxTextureEdge);
        ASSERT_EQ(parsed.status, DdsParseStatus::Ok);
        const DdsTexture& texture = parsed.texture;
        EXPECT_EQ(texture.internalFormat, file.format);
        EXPECT_EQ(texture.width, texture.height);
        const auto chainLength = static_cast<std::uint32_t>(std::log2(texture.width)) + 1;
        EXPECT_EQ(texture.width, 1u << (chainLength - 1));
        EXPECT_EQ(texture.mipMapCount, chainLength);
        ASSERT_EQ(texture.levels.size(), chainLength);
        EXPECT_EQ(texture.levels.back().width, 1u);
        EXPECT_EQ(texture.levels.back().height, 1u);
        EXPECT_EQ(texture.linearSize, texture.levels.front().size);
        const DdsLevel& last = texture.levels.back();
        EXPECT_EQ(bytes.size(), kDdsDataOffset + last.offset + last.size);
    }
}

BmpImage readNormalMap() {
    const std::vector<unsigned char> bytes = readDataFile("normal.bmp");
    return parseBmpImage(bytes.data(), bytes.size(), kTestMaxTextureEdge).value_or(BmpImage{});
}

// Rows of 3 x width bytes that are a multiple of 4 read the same under any
// unpack alignment the loaders leave behind.
TEST(DataTextures, NormalMapIsAPlainTwentyFourBitBmpOfWidthMultipleOfFour) {
    const std::vector<unsigned char> bytes = readDataFile("normal.bmp");
    const std::optional<BmpHeader> header = readBmpHeader(bytes.data(), bytes.size());
    ASSERT_TRUE(header.has_value());
    EXPECT_GT(header->width, 0);
    EXPECT_EQ(header->width % 4, 0);
    EXPECT_GT(header->height, 0);
    EXPECT_EQ(header->dataOffset, kBmpHeaderBytes);
    const std::size_t pixelBytes = static_cast<std::size_t>(header->width) * header->height * 3;
    EXPECT_EQ(header->imageSize, pixelBytes);
    EXPECT_EQ(bytes.size(), kBmpHeaderBytes + pixelBytes);
}

TEST(DataTextures, NormalMapTexelsAreUnitNormalsPointingOutOfTheSurface) {
    const BmpImage image = readNormalMap();
    ASSERT_FALSE(image.pixels.empty());
    for (std::size_t i = 0; i + 2 < image.pixels.size(); i += 3) {
        // Stored blue, green, red for the normal's z, y, x.
        const glm::vec3 normal(image.pixels[i + 2], image.pixels[i + 1], image.pixels[i]);
        const glm::vec3 decoded = normal / 127.5f - 1.0f;
        ASSERT_NEAR(glm::length(decoded), 1.0f, 0.02f) << "texel " << i / 3;
        ASSERT_GT(decoded.z, 0.0f) << "texel " << i / 3;
    }
}

}  // namespace
