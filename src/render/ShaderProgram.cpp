#include "render/ShaderProgram.h"

#include <cctype>

#include <GL/glew.h>
#include <glm/mat3x3.hpp>

#include "assets/BmpLoader.h"
#include "assets/DdsLoader.h"
#include "assets/ShaderLoader.h"
#include "player/Player.h"
#include "render/GlContract.h"

namespace {

int foldCase(char c) {
    return std::tolower(static_cast<unsigned char>(c));
}

// Reads one texture, choosing the decoder by the file's ending; a name with
// neither ending leaves `texture` as it was.
void loadTexture(const char* path, std::uint32_t& texture) {
    if (endsWithIgnoreCase(path, "dds")) {
        texture = readDdsTexture(path);
    } else if (endsWithIgnoreCase(path, "bmp")) {
        texture = readBmpTexture(path);
    }
}

void bindTextureUnit(GLint unit, std::uint32_t texture, std::int32_t samplerLocation) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(samplerLocation, unit);
}

}  // namespace

// One pass, never stepping back: after a mismatch the count restarts at the
// next character, so "ddds" is not taken for "dds". The texture names that the
// game uses never need the backtracking a general suffix test would do.
bool endsWithIgnoreCase(const char* path, const char* extension) {
    std::size_t matched = 0;
    for (const char* c = path; *c != '\0'; ++c) {
        if (foldCase(extension[matched]) == foldCase(*c)) {
            ++matched;
        } else {
            matched = 0;
        }
    }
    return extension[matched] == '\0';
}

ShaderProgram::ShaderProgram(const char* vertexShaderPath, const char* fragmentShaderPath)
    : programId(buildShaderProgram(vertexShaderPath, fragmentShaderPath)),
      mvpLocation(glGetUniformLocation(programId, glcontract::mvpUniform)),
      viewLocation(glGetUniformLocation(programId, glcontract::viewUniform)),
      modelLocation(glGetUniformLocation(programId, glcontract::modelUniform)),
      modelView3x3Location(glGetUniformLocation(programId, glcontract::modelView3x3Uniform)),
      lightPositionLocation(glGetUniformLocation(programId, glcontract::lightPositionUniform)),
      diffuseSamplerLocation(glGetUniformLocation(programId, glcontract::diffuseSampler)),
      normalSamplerLocation(glGetUniformLocation(programId, glcontract::normalSampler)),
      specularSamplerLocation(glGetUniformLocation(programId, glcontract::specularSampler)) {}

// A texture set before is not deleted: the scene sets each map once, and the
// program releases only what it holds at teardown.
void ShaderProgram::setDiffuseTexture(const char* path) {
    loadTexture(path, diffuseTexture);
}

void ShaderProgram::setNormalTexture(const char* path) {
    loadTexture(path, normalTexture);
}

void ShaderProgram::setSpecularTexture(const char* path) {
    loadTexture(path, specularTexture);
}

void ShaderProgram::use() const {
    glUseProgram(programId);
}

void ShaderProgram::setLightPosition(float x, float y, float z) const {
    glUniform3f(lightPositionLocation, x, y, z);
}

// Leaves GL_TEXTURE3 active; whoever binds a texture next picks its own unit.
void ShaderProgram::bindTextures() const {
    bindTextureUnit(glcontract::diffuseUnit, diffuseTexture, diffuseSamplerLocation);
    bindTextureUnit(glcontract::normalUnit, normalTexture, normalSamplerLocation);
    bindTextureUnit(glcontract::specularUnit, specularTexture, specularSamplerLocation);
}

void ShaderProgram::setMatrices(const Player& player, const glm::mat4& modelMatrix) const {
    const glm::mat4& view = player.getViewMatrix();
    const glm::mat4& projection = player.getProjectionMatrix();
    const glm::mat4 mvp = (projection * view) * modelMatrix;
    const glm::mat4 modelView = view * modelMatrix;
    // The plain upper-left block, no inverse transpose: the model shaders are
    // written against exactly this matrix.
    const glm::mat3 modelView3x3(modelView);
    glUniformMatrix4fv(mvpLocation, 1, GL_FALSE, &mvp[0][0]);
    glUniformMatrix4fv(modelLocation, 1, GL_FALSE, &modelMatrix[0][0]);
    glUniformMatrix4fv(viewLocation, 1, GL_FALSE, &view[0][0]);
    glUniformMatrix3fv(modelView3x3Location, 1, GL_FALSE, &modelView3x3[0][0]);
}

void ShaderProgram::release() {
    glDeleteProgram(programId);
    glDeleteTextures(1, &diffuseTexture);
    glDeleteTextures(1, &specularTexture);
    glDeleteTextures(1, &normalTexture);
}
