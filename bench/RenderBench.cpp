#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "render/TangentBasis.h"
#include "render/VertexIndexing.h"
#include "text/TextGeometry.h"

namespace {

// A gently curved grid of quads, two triangles each, as an OBJ export hands
// it over: every corner repeated for each triangle that uses it.
struct CornerMesh {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
};

void addCorner(CornerMesh& mesh, int column, int row, int side) {
    const float u = static_cast<float>(column) / static_cast<float>(side);
    const float v = static_cast<float>(row) / static_cast<float>(side);
    mesh.positions.emplace_back(u * 4.0f, 0.5f * u * v, v * 4.0f);
    mesh.uvs.emplace_back(u, v);
    mesh.normals.emplace_back(0.0f, 1.0f, 0.0f);
}

CornerMesh gridMesh(int side) {
    CornerMesh mesh;
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const int quad[6][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}};
            for (const auto& corner : quad) {
                addCorner(mesh, column + corner[0], row + corner[1], side);
            }
        }
    }
    buildTangentBasis(mesh.positions, mesh.uvs, mesh.normals, mesh.tangents, mesh.bitangents);
    return mesh;
}

// 40 x 40 quads: 3,200 triangles, 9,600 corners, 1,681 distinct vertices.
constexpr int kGridSide = 40;

void BM_IndexGridMeshWithTangents(benchmark::State& state) {
    const CornerMesh mesh = gridMesh(kGridSide);
    for (auto _ : state) {
        std::vector<std::uint16_t> indices;
        std::vector<glm::vec3> positions;
        std::vector<glm::vec2> uvs;
        std::vector<glm::vec3> normals;
        std::vector<glm::vec3> tangents;
        std::vector<glm::vec3> bitangents;
        indexMeshWithTangents(mesh.positions, mesh.uvs, mesh.normals, mesh.tangents,
                              mesh.bitangents, indices, positions, uvs, normals, tangents,
                              bitangents);
        benchmark::DoNotOptimize(indices.data());
    }
}
BENCHMARK(BM_IndexGridMeshWithTangents)->Unit(benchmark::kMillisecond);

void BM_BuildGridTangentBasis(benchmark::State& state) {
    const CornerMesh mesh = gridMesh(kGridSide);
    for (auto _ : state) {
        std::vector<glm::vec3> tangents;
        std::vector<glm::vec3> bitangents;
        buildTangentBasis(mesh.positions, mesh.uvs, mesh.normals, tangents, bitangents);
        benchmark::DoNotOptimize(tangents.data());
    }
}
BENCHMARK(BM_BuildGridTangentBasis);

// The score line is laid out anew every frame.
void BM_BuildScoreLineGeometry(benchmark::State& state) {
    for (auto _ : state) {
        const TextGeometry geometry = buildTextGeometry("Points:  37/101", 10, 560, 25);
        benchmark::DoNotOptimize(geometry.vertices.data());
    }
}
BENCHMARK(BM_BuildScoreLineGeometry);

}  // namespace
