#include "render/ShaderProgram.h"

#include <cstdio>

#include <GL/glew.h>
#include <glm/mat3x3.hpp>

#include "assets/BmpLoader.h"
#include "assets/DdsLoader.h"
#include "assets/ShaderLoader.h"
#include "player/Player.h"
#include "render/FileExtension.h"
#include "render/GlContract.h"

namespace {

// Reads one texture, choosing the decoder by the file's ending; a name with
// neither ending leaves `texture` as it was.
void loadTexture(const char* path, std::uint32_t& texture) {
    if (endsWithIgnoreCase(path, "dds")) {
        texture = readDdsTexture(path);
    } else if (endsWithIgnoreCase(path, "bmp")) {
        texture = readBmpTexture(path);
    }
}

bool programLinked(GLuint program) {
    if (program == 0) {
        return false;
    }
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}

void bindTextureUnit(GLint unit, std::uint32_t texture, std::int32_t samplerLocation) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(samplerLocation, unit);
}

}  // namespace

ShaderProgram::ShaderProgram(const char* vertexShaderPath, const char* fragmentShaderPath)
    : programId(buildShaderProgram(vertexShaderPath, fragmentShaderPath)),
      linked(programLinked(programId)),
      mvpLocation(uniformLocation(glcontract::mvpUniform)),
      viewLocation(uniformLocation(glcontract::viewUniform)),
      modelLocation(uniformLocation(glcontract::modelUniform)),
      modelView3x3Location(uniformLocation(glcontract::modelView3x3Uniform)),
      lightPositionLocation(uniformLocation(glcontract::lightPositionUniform)),
      diffuseSamplerLocation(uniformLocation(glcontract::diffuseSampler)),
      normalSamplerLocation(uniformLocation(glcontract::normalSampler)),
      specularSamplerLocation(uniformLocation(glcontract::specularSampler)) {
    if (!linked) {
        std::printf("The program of %s did not build: nothing is drawn with it\n",
                    vertexShaderPath);
    }
}

// Asking a program that did not link raises a GL error; it has no uniforms.
std::int32_t ShaderProgram::uniformLocation(const char* name) const {
    return linked ? glGetUniformLocation(programId, name) : -1;
}

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
