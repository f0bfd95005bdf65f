#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "assets/ObjParser.h"

// Helpers for the tests of the game's data files (data/ in the source tree).

std::string dataPath(const std::string& name);
// The file's bytes; empty when it cannot be read.
std::vector<unsigned char> readDataFile(const std::string& name);
// The mesh as the game's OBJ parser reads it; a parse failure fails the test.
ObjMesh readDataMesh(const std::string& name);

// A mesh as the game uploads it: tangent basis, then indexing.
struct IndexedMesh {
    bool fits = false;  // within 16-bit indices
    std::vector<std::uint16_t> indices;
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
};

IndexedMesh indexMesh(const ObjMesh& mesh);
