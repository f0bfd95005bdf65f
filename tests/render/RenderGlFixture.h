#pragma once

#include <string>
#include <vector>

#include <glm/mat3x3.hpp>
#include <glm/mat4x4.hpp>

#include "assets/AssetFiles.h"
#include "support/GlContext.h"

// GL tests of the render classes: the one vertex-array object that the game
// keeps bound is made on first use, as the game makes it before any model.
// Each test writes its files into a scratch directory of its own.
class RenderGlTest : public GlTest {
  protected:
    void SetUp() override;

    ScratchDirectory scratch;
};

// A cube spanning -1 to 1 with one normal per face, each face two triangles
// that share their diagonal corners and UVs.
std::string cubeObjText();

// Shader pairs written to scratch files.
struct ShaderPaths {
    std::string vertex;
    std::string fragment;
};
// Declares and uses every model uniform, so that none is optimised away.
ShaderPaths writeFullShaderPair(const ScratchDirectory& scratch);
// Only MVP; colours every fragment pure red.
ShaderPaths writeRedShaderPair(const ScratchDirectory& scratch);

// The contents of a buffer, read back through GL_COPY_READ_BUFFER so that
// no binding the code under test relies on is disturbed.
template <typename Element>
std::vector<Element> readBuffer(unsigned int buffer);
int bufferSize(unsigned int buffer);

glm::mat4 readMat4Uniform(unsigned int program, const char* name);
glm::mat3 readMat3Uniform(unsigned int program, const char* name);
glm::vec3 readVec3Uniform(unsigned int program, const char* name);
int readIntUniform(unsigned int program, const char* name);

// True when pixel (x, y) of the back buffer is, within one step, this colour.
bool pixelIs(int x, int y, unsigned char r, unsigned char g, unsigned char b);

template <typename Element>
std::vector<Element> readBuffer(unsigned int buffer) {
    glBindBuffer(GL_COPY_READ_BUFFER, buffer);
    GLint size = 0;
    glGetBufferParameteriv(GL_COPY_READ_BUFFER, GL_BUFFER_SIZE, &size);
    std::vector<Element> contents(static_cast<std::size_t>(size) / sizeof(Element));
    if (!contents.empty()) {
        glGetBufferSubData(GL_COPY_READ_BUFFER, 0, size, contents.data());
    }
    glBindBuffer(GL_COPY_READ_BUFFER, 0);
    return contents;
}
