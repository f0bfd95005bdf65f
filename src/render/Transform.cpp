#include "render/Transform.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

const glm::vec3 kDefaultScale(1.0f, 1.0f, 1.0f);
const glm::vec3 kDefaultRotationAxis(0.0f, 1.0f, 0.0f);

}  // namespace

// The identity is exactly what the default position, rotation and scale make,
// so there is no need to run the update here.
Transform::Transform()
    : modelMatrix(1.0f),
      position(0.0f),
      scale(kDefaultScale),
      rotationAxis(kDefaultRotationAxis),
      rotationAngle(0.0f) {}

void Transform::setPosition(const glm::vec3& newPosition) {
    position = newPosition;
    updateMatrix();
}

void Transform::setPosition(float x, float y, float z) {
    setPosition(glm::vec3(x, y, z));
}

void Transform::setRotation(float angleRadians, const glm::vec3& axis) {
    rotationAngle = angleRadians;
    rotationAxis = axis;
    updateMatrix();
}

void Transform::setScale(const glm::vec3& newScale) {
    scale = newScale;
    updateMatrix();
}

void Transform::setScale(float x, float y, float z) {
    setScale(glm::vec3(x, y, z));
}

// Rebuilt from scratch every time: carrying the old matrix over would let
// rounding errors pile up across setter calls.
void Transform::updateMatrix() {
    modelMatrix = glm::mat4(1.0f);
    modelMatrix = glm::translate(modelMatrix, position);
    modelMatrix = glm::rotate(modelMatrix, rotationAngle, rotationAxis);
    modelMatrix = glm::scale(modelMatrix, scale);
}
