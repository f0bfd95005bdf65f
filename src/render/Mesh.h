#pragma once

#include <cstdint>
#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "render/VertexIndexing.h"

// The geometry of a model: the load pipeline (OBJ, tangent basis, indexing,
// upload), the vertex layout at attribute locations 0 to 4 and the draw call.
// Owns six GL buffers, deleted by deleteBuffers(); the destructor frees only
// the CPU arrays.
class Mesh {
  public:
    // A mesh of more than vertexLimit distinct vertices is built empty; the
    // game keeps the default, which 16-bit indices set.
    explicit Mesh(const char* objPath, std::size_t vertexLimit = kMaxIndexedVertices);

    void bindAttributes() const;
    void drawElements() const;
    void unbindAttributes() const;
    void deleteBuffers();

    const std::vector<std::uint16_t>& getIndices() const { return indices; }
    const std::vector<glm::vec3>& getVertexPositions() const { return vertexPositions; }
    std::uint32_t getPositionBuffer() const { return positionBuffer; }
    std::uint32_t getUvBuffer() const { return uvBuffer; }
    std::uint32_t getNormalBuffer() const { return normalBuffer; }
    std::uint32_t getTangentBuffer() const { return tangentBuffer; }
    std::uint32_t getBitangentBuffer() const { return bitangentBuffer; }
    std::uint32_t getElementBuffer() const { return elementBuffer; }

  private:
    void uploadBuffers();

    std::vector<std::uint16_t> indices;
    std::vector<glm::vec3> vertexPositions;
    std::vector<glm::vec2> vertexUvs;
    std::vector<glm::vec3> vertexNormals;
    std::vector<glm::vec3> vertexTangents;
    std::vector<glm::vec3> vertexBitangents;
    std::uint32_t positionBuffer = 0;
    std::uint32_t uvBuffer = 0;
    std::uint32_t normalBuffer = 0;
    std::uint32_t tangentBuffer = 0;
    std::uint32_t bitangentBuffer = 0;
    std::uint32_t elementBuffer = 0;
};
