#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "render/Mesh.h"

class Player;
class ShaderProgram;
class Transform;

// One mesh in GPU buffers, drawn with a shader program, placed by a transform
// and lit by one point light. Draws are framed: bind, any number of draws,
// unbind.
class Model {
  public:
    explicit Model(const char* objPath);

    // Neither is owned: both belong to the scene and outlive the model.
    void setShader(ShaderProgram* program) { shaderProgram = program; }
    void setTransform(Transform* newTransform) { transform = newTransform; }
    Transform* getTransform() const { return transform; }
    void setLightPosition(const glm::vec3& newLightPosition) { lightPosition = newLightPosition; }

    void bind() const;
    // What bind() does but the mesh's attributes: the program, its light and
    // its textures, for a draw that brings its own vertex array.
    void bindProgram() const;
    void drawWithMatrix(const Player& player, const glm::mat4& modelMatrix) const;
    void draw(const Player& player) const;
    void unbind() const;
    void release();

    const Mesh& getMesh() const { return mesh; }
    const ShaderProgram* getShader() const { return shaderProgram; }
    bool isDrawable() const;
    const glm::vec3& getLightPosition() const { return lightPosition; }

  private:
    Mesh mesh;
    ShaderProgram* shaderProgram = nullptr;
    Transform* transform = nullptr;
    glm::vec3 lightPosition;
};
