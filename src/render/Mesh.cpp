#include "render/Mesh.h"

#include <cstdio>

#include <GL/glew.h>

#include "assets/ObjLoader.h"
#include "render/GlContract.h"
#include "render/TangentBasis.h"
#include "render/VertexIndexing.h"

namespace {

template <typename Element>
GLuint uploadArray(GLenum target, const std::vector<Element>& elements) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    // data() of an empty array may be null, which GL accepts with a size of 0:
    // an empty mesh still gets its six (empty) buffers.
    glBufferData(target, static_cast<GLsizeiptr>(elements.size() * sizeof(Element)),
                 elements.data(), GL_STATIC_DRAW);
    return buffer;
}

void bindAttribute(GLuint location, GLuint buffer, GLint components) {
    glEnableVertexAttribArray(location);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

}  // namespace

Mesh::Mesh(const char* objPath, std::size_t vertexLimit) {
    std::vector<glm::vec3> vertices;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
    // A file that cannot be read has said so itself and left the arrays
    // empty; the mesh is then built empty and draws nothing.
    readObjMesh(objPath, vertices, uvs, normals);
    buildTangentBasis(vertices, uvs, normals, tangents, bitangents);
    if (!indexMeshWithTangents(vertices, uvs, normals, tangents, bitangents, indices,
                               vertexPositions, vertexUvs, vertexNormals, vertexTangents,
                               vertexBitangents, vertexLimit)) {
        std::printf(
            "%s has more than %zu distinct vertices, more than 16-bit indices can "
            "address; it is left empty\n",
            objPath, vertexLimit);
    }
    uploadBuffers();
}

void Mesh::uploadBuffers() {
    positionBuffer = uploadArray(GL_ARRAY_BUFFER, vertexPositions);
    uvBuffer = uploadArray(GL_ARRAY_BUFFER, vertexUvs);
    normalBuffer = uploadArray(GL_ARRAY_BUFFER, vertexNormals);
    tangentBuffer = uploadArray(GL_ARRAY_BUFFER, vertexTangents);
    bitangentBuffer = uploadArray(GL_ARRAY_BUFFER, vertexBitangents);
    elementBuffer = uploadArray(GL_ELEMENT_ARRAY_BUFFER, indices);
}

// Every model records into the one vertex-array object, so the pointers and
// the element buffer are set again on every bind.
void Mesh::bindAttributes() const {
    bindAttribute(glcontract::positionLocation, positionBuffer, glm::vec3::length());
    bindAttribute(glcontract::uvLocation, uvBuffer, glm::vec2::length());
    bindAttribute(glcontract::normalLocation, normalBuffer, glm::vec3::length());
    bindAttribute(glcontract::tangentLocation, tangentBuffer, glm::vec3::length());
    bindAttribute(glcontract::bitangentLocation, bitangentBuffer, glm::vec3::length());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
}

// An empty mesh draws with a count of 0, which GL takes as a draw of nothing.
void Mesh::drawElements() const {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_SHORT, nullptr);
}

void Mesh::unbindAttributes() const {
    for (GLuint location = 0; location < glcontract::modelAttributeCount; ++location) {
        glDisableVertexAttribArray(location);
    }
}

void Mesh::deleteBuffers() {
    glDeleteBuffers(1, &positionBuffer);
    glDeleteBuffers(1, &uvBuffer);
    glDeleteBuffers(1, &normalBuffer);
    glDeleteBuffers(1, &tangentBuffer);
    glDeleteBuffers(1, &bitangentBuffer);
    glDeleteBuffers(1, &elementBuffer);
}
