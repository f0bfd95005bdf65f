#include "render/Model.h"

#include "render/ShaderProgram.h"
#include "render/Transform.h"

Model::Model(const char* objPath) : mesh(objPath), lightPosition(0.0f) {}

// A program that did not build would leave the previous one current (the
// model drawn in the text's white) and make every draw a GL error: such a
// model binds, uploads and draws nothing. Collision reads the maze's grid,
// never a model, so undrawn walls still block the player.
bool Model::isDrawable() const {
    return shaderProgram->isLinked();
}

// The light goes up once per bind, not per draw: a frame draws the wall model
// many times with one light.
void Model::bind() const {
    if (!isDrawable()) {
        return;
    }
    bindProgram();
    mesh.bindAttributes();
}

void Model::bindProgram() const {
    shaderProgram->use();
    shaderProgram->setLightPosition(lightPosition.x, lightPosition.y, lightPosition.z);
    shaderProgram->bindTextures();
}

void Model::drawWithMatrix(const Player& player, const glm::mat4& modelMatrix) const {
    if (!isDrawable()) {
        return;
    }
    shaderProgram->setMatrices(player, modelMatrix);
    mesh.drawElements();
}

void Model::draw(const Player& player) const {
    drawWithMatrix(player, transform->getMatrix());
}

void Model::unbind() const {
    if (!isDrawable()) {
        return;
    }
    mesh.unbindAttributes();
}

// The program and its textures are shared and released by their owner.
void Model::release() {
    mesh.deleteBuffers();
}
