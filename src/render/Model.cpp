#include "render/Model.h"

#include "render/ShaderProgram.h"
#include "render/Transform.h"

Model::Model(const char* objPath) : mesh(objPath), lightPosition(0.0f) {}

// The light goes up once per bind, not per draw: a frame draws the wall model
// many times with one light.
void Model::bind() const {
    shaderProgram->use();
    shaderProgram->setLightPosition(lightPosition.x, lightPosition.y, lightPosition.z);
    shaderProgram->bindTextures();
    mesh.bindAttributes();
}

void Model::drawWithMatrix(const Player& player, const glm::mat4& modelMatrix) const {
    shaderProgram->setMatrices(player, modelMatrix);
    mesh.drawElements();
}

void Model::draw(const Player& player) const {
    drawWithMatrix(player, transform->getMatrix());
}

void Model::unbind() const {
    mesh.unbindAttributes();
}

// The program and its textures are shared and released by their owner.
void Model::release() {
    mesh.deleteBuffers();
}
