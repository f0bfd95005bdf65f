#pragma once

#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

// Reads a triangle mesh in the game's OBJ subset and appends one position,
// texture coordinate and normal per triangle corner, in file order, unindexed.
// Prints its progress and failures; waits for one character on standard input
// when the file cannot be opened. Returns false on failure, outputs untouched.
bool readObjMesh(const char* path, std::vector<glm::vec3>& out_vertices,
                 std::vector<glm::vec2>& out_uvs, std::vector<glm::vec3>& out_normals);
