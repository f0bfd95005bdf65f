#include "text/TextOverlay.h"

#include <GL/glew.h>

#include "assets/DdsLoader.h"
#include "assets/ShaderLoader.h"
#include "render/GlContract.h"
#include "text/TextGeometry.h"

namespace {

const char* const kTextVertexShaderPath = "TextVertexShader.vertexshader";
const char* const kTextFragmentShaderPath = "TextVertexShader.fragmentshader";

constexpr GLint kComponentsPerCorner = 2;

void uploadCorners(GLuint buffer, const std::vector<glm::vec2>& corners) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.size() * sizeof(glm::vec2)),
                 corners.data(), GL_STATIC_DRAW);
}

void bindCorners(GLuint location, GLuint buffer) {
    glEnableVertexAttribArray(location);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(location, kComponentsPerCorner, GL_FLOAT, GL_FALSE, 0, nullptr);
}

}  // namespace

// Failed loads leave 0 behind; each loader has already said why.
void TextOverlay::init(const char* atlasPath) {
    fontTexture = readDdsTexture(atlasPath);
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &uvBuffer);
    program = buildShaderProgram(kTextVertexShaderPath, kTextFragmentShaderPath);
    samplerLocation = glGetUniformLocation(program, glcontract::textSampler);
}

// The whole line goes up in one upload per attribute and one draw call. The
// depth test and culling are left as the caller set them.
void TextOverlay::draw(const char* text, int x, int y, int sizePixels) {
    buildTextGeometry(text, x, y, sizePixels, geometry);
    if (geometry.vertices.empty()) {
        return;
    }
    uploadCorners(vertexBuffer, geometry.vertices);
    uploadCorners(uvBuffer, geometry.UVs);

    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0 + glcontract::textAtlasUnit);
    glBindTexture(GL_TEXTURE_2D, fontTexture);
    glUniform1i(samplerLocation, glcontract::textAtlasUnit);

    bindCorners(glcontract::positionLocation, vertexBuffer);
    bindCorners(glcontract::uvLocation, uvBuffer);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(geometry.vertices.size()));
    glDisable(GL_BLEND);

    glDisableVertexAttribArray(glcontract::positionLocation);
    glDisableVertexAttribArray(glcontract::uvLocation);
}

void TextOverlay::release() {
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &uvBuffer);
    glDeleteTextures(1, &fontTexture);
    glDeleteProgram(program);
}
