// What the model pipeline costs at load time on the game's own sculpture mesh
// ("suzanne.obj"), step by step: parsing the OBJ text, the tangent basis, and
// the vertex indexing, which is quadratic and so the one that grows fastest
// when a mesh gets finer. The score line's layout, redone every frame, too.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "assets/FileBytes.h"
#include "assets/ObjParser.h"
#include "render/TangentBasis.h"
#include "render/VertexIndexing.h"
#include "text/TextGeometry.h"

namespace {

constexpr const char* sculpturePath = QUORRALITH_DATA_DIR "/suzanne.obj";

// The sculpture as the model pipeline hands it to the indexer: one entry per
// triangle corner, with its tangent basis.
struct SculptureCorners {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
};

// Read and parsed once for every case; nullopt when the file is missing or
// does not parse, so that no case measures an empty mesh.
const std::optional<SculptureCorners>& sculptureCorners() {
    static const std::optional<SculptureCorners> corners = []() -> std::optional<SculptureCorners> {
        const auto bytes = readFileBytes(sculpturePath);
        if (!bytes) {
            return std::nullopt;
        }
        ObjParseResult parsed = parseObjMesh(bytes->data(), bytes->size());
        if (parsed.status != ObjParseStatus::Ok || parsed.mesh.positions.empty()) {
            return std::nullopt;
        }
        SculptureCorners made;
        made.positions = std::move(parsed.mesh.positions);
        made.uvs = std::move(parsed.mesh.uvs);
        made.normals = std::move(parsed.mesh.normals);
        buildTangentBasis(made.positions, made.uvs, made.normals, made.tangents, made.bitangents);
        return made;
    }();
    return corners;
}

void BM_ParseSculptureObj(benchmark::State& state) {
    const auto bytes = readFileBytes(sculpturePath);
    if (!bytes || parseObjMesh(bytes->data(), bytes->size()).status != ObjParseStatus::Ok) {
        state.SkipWithError("suzanne.obj is missing or does not parse");
        return;
    }
    for (auto _ : state) {
        const ObjParseResult parsed = parseObjMesh(bytes->data(), bytes->size());
        benchmark::DoNotOptimize(parsed.mesh.positions.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes->size()));
}
BENCHMARK(BM_ParseSculptureObj)->Unit(benchmark::kMillisecond);

void BM_BuildSculptureTangentBasis(benchmark::State& state) {
    const auto& corners = sculptureCorners();
    if (!corners) {
        state.SkipWithError("suzanne.obj is missing or does not parse");
        return;
    }
    for (auto _ : state) {
        std::vector<glm::vec3> tangents;
        std::vector<glm::vec3> bitangents;
        buildTangentBasis(corners->positions, corners->uvs, corners->normals, tangents, bitangents);
        benchmark::DoNotOptimize(tangents.data());
    }
    state.counters["corners"] = static_cast<double>(corners->positions.size());
}
BENCHMARK(BM_BuildSculptureTangentBasis);

void BM_IndexSculptureWithTangents(benchmark::State& state) {
    const auto& corners = sculptureCorners();
    if (!corners) {
        state.SkipWithError("suzanne.obj is missing or does not parse");
        return;
    }
    std::size_t vertexCount = 0;
    for (auto _ : state) {
        std::vector<std::uint16_t> indices;
        std::vector<glm::vec3> positions;
        std::vector<glm::vec2> uvs;
        std::vector<glm::vec3> normals;
        std::vector<glm::vec3> tangents;
        std::vector<glm::vec3> bitangents;
        if (!indexMeshWithTangents(corners->positions, corners->uvs, corners->normals,
                                   corners->tangents, corners->bitangents, indices, positions, uvs,
                                   normals, tangents, bitangents)) {
            state.SkipWithError("the sculpture has more vertices than 16-bit indices address");
            return;
        }
        vertexCount = positions.size();
        benchmark::DoNotOptimize(indices.data());
    }
    state.counters["corners"] = static_cast<double>(corners->positions.size());
    state.counters["vertices"] = static_cast<double>(vertexCount);
}
BENCHMARK(BM_IndexSculptureWithTangents)->Unit(benchmark::kMillisecond);

// The score line is laid out anew every frame.
void BM_BuildScoreLineGeometry(benchmark::State& state) {
    for (auto _ : state) {
        const TextGeometry geometry = buildTextGeometry("Points:  37/101", 10, 560, 25);
        benchmark::DoNotOptimize(geometry.vertices.data());
    }
}
BENCHMARK(BM_BuildScoreLineGeometry);

}  // namespace
