#include "maze/MazeDrawing.h"

#include <GL/glew.h>

#include "maze/MazeInstances.h"
#include "player/Player.h"
#include "render/GlContract.h"
#include "render/Model.h"
#include "render/ShaderProgram.h"

namespace {

using InstancedBlocks = MazeDrawing::InstancedBlocks;

// The mesh's attributes and the instances' matrices in a vertex array of the
// blocks' own, so that a frame binds them with one call rather than a dozen.
// A matrix takes four attribute locations, one column each.
void setUpInstancedBlocks(InstancedBlocks& blocks, const Model& model) {
    GLint gameVertexArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &gameVertexArray);
    blocks.gameVertexArray = static_cast<std::uint32_t>(gameVertexArray);
    glGenVertexArrays(1, &blocks.vertexArray);
    glBindVertexArray(blocks.vertexArray);
    model.getMesh().bindAttributes();
    glGenBuffers(1, &blocks.matrixBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, blocks.matrixBuffer);
    for (GLuint column = 0; column < glm::mat4::length(); ++column) {
        const GLuint location = glcontract::modelMatrixLocation + column;
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, glm::vec4::length(), GL_FLOAT, GL_FALSE, sizeof(glm::mat4),
                              reinterpret_cast<const void*>(column * sizeof(glm::vec4)));
        glVertexAttribDivisor(location, 1);
    }
    glBindVertexArray(blocks.gameVertexArray);
    const GLuint program = model.getShader()->getProgramId();
    blocks.viewProjectionLocation =
        glGetUniformLocation(program, glcontract::viewProjectionUniform);
    blocks.viewLocation = glGetUniformLocation(program, glcontract::viewUniform);
}

void uploadIfChanged(InstancedBlocks& blocks, const std::vector<glm::mat4>& matrices) {
    if (matrices == blocks.uploaded) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, blocks.matrixBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(matrices.size() * sizeof(glm::mat4)),
                 matrices.data(), GL_DYNAMIC_DRAW);
    blocks.uploaded = matrices;
}

void drawBlocks(InstancedBlocks& blocks, const Model& model, const std::vector<glm::mat4>& matrices,
                const glm::mat4& view, const glm::mat4& viewProjection) {
    if (!model.isDrawable()) {
        return;
    }
    if (blocks.vertexArray == 0) {
        setUpInstancedBlocks(blocks, model);
    }
    model.bindProgram();
    glBindVertexArray(blocks.vertexArray);
    uploadIfChanged(blocks, matrices);
    glUniformMatrix4fv(blocks.viewProjectionLocation, 1, GL_FALSE, &viewProjection[0][0]);
    // The food's shader reads no view of its own.
    if (blocks.viewLocation >= 0) {
        glUniformMatrix4fv(blocks.viewLocation, 1, GL_FALSE, &view[0][0]);
    }
    glDrawElementsInstanced(GL_TRIANGLES, static_cast<GLsizei>(model.getMesh().getIndices().size()),
                            GL_UNSIGNED_SHORT, nullptr, static_cast<GLsizei>(matrices.size()));
    glBindVertexArray(blocks.gameVertexArray);
}

void deleteInstancedBlocks(InstancedBlocks& blocks) {
    glDeleteVertexArrays(1, &blocks.vertexArray);
    glDeleteBuffers(1, &blocks.matrixBuffer);
    blocks = InstancedBlocks();
}

}  // namespace

void MazeDrawing::draw(const MazeGrid& grid, const Model& wallModel, const Model& foodModel,
                       const Player& player) {
    const glm::vec3& eye = player.getPosition();
    // Formed as the desktop forms MVP, (projection * view) * model, so that
    // the shader's product with the model matrix rounds as the desktop's.
    const glm::mat4& view = player.getViewMatrix();
    const glm::mat4 viewProjection = player.getProjectionMatrix() * view;
    drawBlocks(wallBlocks, wallModel, MazeInstances::wallBlocksNearToFar(grid, eye, viewProjection),
               view, viewProjection);
    drawBlocks(foodBlocks, foodModel, MazeInstances::foodBlocksNearToFar(grid, eye, viewProjection),
               view, viewProjection);
}

void MazeDrawing::release() {
    deleteInstancedBlocks(wallBlocks);
    deleteInstancedBlocks(foodBlocks);
}
