#include "DataFiles.h"

#include <gtest/gtest.h>

#include "assets/FileBytes.h"
#include "render/TangentBasis.h"
#include "render/VertexIndexing.h"

std::string dataPath(const std::string& name) {
    return std::string(QUORRALITH_DATA_DIR) + "/" + name;
}

std::vector<unsigned char> readDataFile(const std::string& name) {
    return readFileBytes(dataPath(name).c_str()).value_or(std::vector<unsigned char>{});
}

ObjMesh readDataMesh(const std::string& name) {
    const std::vector<unsigned char> bytes = readDataFile(name);
    ObjParseResult parsed = parseObjMesh(bytes.data(), bytes.size());
    EXPECT_EQ(parsed.status, ObjParseStatus::Ok) << name;
    return std::move(parsed.mesh);
}

IndexedMesh indexMesh(const ObjMesh& mesh) {
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
    buildTangentBasis(mesh.positions, mesh.uvs, mesh.normals, tangents, bitangents);
    IndexedMesh indexed;
    indexed.fits = indexMeshWithTangents(
        mesh.positions, mesh.uvs, mesh.normals, tangents, bitangents, indexed.indices,
        indexed.positions, indexed.uvs, indexed.normals, indexed.tangents, indexed.bitangents);
    return indexed;
}
