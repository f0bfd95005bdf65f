#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// How far the view reaches, in units from the eye.
constexpr float farPlaneDistance = 100.0f;

// The eye's height above the floor's top face, in world units.
constexpr float standingEyeHeight = 1.7f;
constexpr float crouchingEyeHeight = 1.0f;

// The first-person camera: eye position, yaw and pitch, the derived vectors
// and the view and projection matrices that every draw uploads. It knows
// nothing of input or of the maze.
class Player {
  public:
    Player();

    void look(float yawDelta, float pitchDelta);
    void setPosition(const glm::vec3& newPosition);
    void setAspectRatio(float newAspectRatio);

    const glm::vec3& getPosition() const { return position; }
    glm::vec3 getDirection() const { return direction; }
    glm::vec3 getRight() const { return right; }
    glm::vec3 getUp() const { return up; }
    float getHorizontalAngle() const { return horizontalAngle; }
    float getVerticalAngle() const { return verticalAngle; }
    float getAspectRatio() const { return aspectRatio; }
    float getWalkSpeed() const { return walkSpeed; }
    float getMouseSpeed() const { return mouseSpeed; }
    const glm::mat4& getViewMatrix() const { return view; }
    const glm::mat4& getProjectionMatrix() const { return projection; }

  private:
    void updateView();
    void updateProjection();

    glm::mat4 view;
    glm::mat4 projection;
    glm::vec3 position;
    glm::vec3 direction;
    glm::vec3 right;
    glm::vec3 up;
    float nearPlane;
    float farPlane;
    float horizontalAngle;
    float verticalAngle;
    float aspectRatio;
    float fieldOfView;
    float walkSpeed;
    float mouseSpeed;
};
