#pragma once

#include <cstddef>
#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

// What an OBJ file holds, as read, before its faces are resolved: every
// "v", "vt" (v already negated) and "vn" line, and the three 1-based indices
// of each corner of each face, in file order.
struct ObjFileContents {
    std::vector<glm::vec3> temp_vertices;
    std::vector<glm::vec2> temp_uvs;
    std::vector<glm::vec3> temp_normals;
    std::vector<int> vertexIndices;
    std::vector<int> uvIndices;
    std::vector<int> normalIndices;
    // A face line that is not three corners of three slash-separated
    // integers ends the read there; the lists then hold what came before.
    bool malformedFace = false;
};

// The mesh, one entry per triangle corner in file order.
struct ObjMesh {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
};

enum class ObjParseStatus { Ok, MalformedFace, IndexOutOfRange };

struct ObjParseResult {
    ObjParseStatus status = ObjParseStatus::Ok;
    ObjMesh mesh;  // empty unless status is Ok
    // With IndexOutOfRange: the 0-based number of the first face that names
    // an entry its list does not have.
    std::size_t badFace = 0;
};

// Longest tag word kept: a longer word keeps its first characters as the tag
// (so it is never a known tag) and the rest of it is part of the line that
// is skipped, which is what a "%127s" read does.
constexpr std::size_t kObjMaxTagLength = 127;
// A line after an unknown tag is dropped up to this many characters; a
// longer one goes on as if a new line began there.
constexpr std::size_t kObjSkippedLineLength = 999;

ObjFileContents readObjContents(const unsigned char* bytes, std::size_t size);
// Fails (IndexOutOfRange) when an index is 0, negative or past the end of
// its list; nothing outside the lists is read.
ObjParseResult resolveObjFaces(const ObjFileContents& contents);
// The two steps together.
ObjParseResult parseObjMesh(const unsigned char* bytes, std::size_t size);
