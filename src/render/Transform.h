#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// Places one model: T * R * S, rebuilt eagerly by every setter so that
// reading the matrix for each draw costs nothing.
class Transform {
  public:
    Transform();

    void setPosition(const glm::vec3& newPosition);
    void setPosition(float x, float y, float z);
    void setRotation(float angleRadians, const glm::vec3& axis);
    void setScale(const glm::vec3& newScale);
    void setScale(float x, float y, float z);

    const glm::mat4& getMatrix() const { return modelMatrix; }
    const glm::vec3& getPosition() const { return position; }
    const glm::vec3& getScale() const { return scale; }

  private:
    void updateMatrix();

    glm::mat4 modelMatrix;
    glm::vec3 position;
    glm::vec3 scale;
    glm::vec3 rotationAxis;
    float rotationAngle;
};
