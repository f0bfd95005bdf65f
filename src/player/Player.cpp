#include "player/Player.h"

#include <cmath>

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {
const glm::vec3 startPosition{0.0f, standingEyeHeight, -5.0f};
const glm::vec3 startDirection{0.0f, 0.0f, 1.0f};
constexpr float nearPlaneDistance = 0.1f;
constexpr float startAspectRatio = 4.0f / 3.0f;
// Handed to glm::perspective, which takes radians: the view is about 58.3
// degrees high, not 45. The game's look was tuned with this value.
constexpr float fieldOfViewArgument = 45.0f;
constexpr float walkSpeedUnitsPerSecond = 3.0f;
constexpr float mouseSpeedRadiansPerPixel = 0.005f;
// 1.57 rather than pi/2, so the view never reaches straight up or down and
// lookAt stays defined; the right vector uses the same quarter turn.
constexpr float pitchLimit = 1.57f;
constexpr float quarterTurn = 1.57f;
}  // namespace

Player::Player()
    : view(1.0f),
      projection(1.0f),
      position(startPosition),
      direction(startDirection),
      right(0.0f),
      up(0.0f),
      nearPlane(nearPlaneDistance),
      farPlane(farPlaneDistance),
      horizontalAngle(0.0f),
      verticalAngle(0.0f),
      aspectRatio(startAspectRatio),
      fieldOfView(fieldOfViewArgument),
      walkSpeed(walkSpeedUnitsPerSecond),
      mouseSpeed(mouseSpeedRadiansPerPixel) {
    // The view stays the identity until the first look: right and up are not
    // known before it, and the first control step looks before any draw.
    updateProjection();
}

void Player::look(float yawDelta, float pitchDelta) {
    horizontalAngle += yawDelta;
    verticalAngle += pitchDelta;
    if (verticalAngle > pitchLimit) {
        verticalAngle = pitchLimit;
    } else if (verticalAngle < -pitchLimit) {
        verticalAngle = -pitchLimit;
    }
    const float h = horizontalAngle;
    const float v = verticalAngle;
    direction = glm::vec3(std::cos(v) * std::sin(h), std::sin(v), std::cos(v) * std::cos(h));
    right = glm::vec3(std::sin(h - quarterTurn), 0.0f, std::cos(h - quarterTurn));
    up = glm::cross(right, direction);
    updateView();
}

void Player::setPosition(const glm::vec3& newPosition) {
    position = newPosition;
    updateView();
}

void Player::setAspectRatio(float newAspectRatio) {
    aspectRatio = newAspectRatio;
    updateProjection();
}

void Player::updateView() {
    view = glm::lookAt(position, position + direction, up);
}

void Player::updateProjection() {
    projection = glm::perspective(fieldOfView, aspectRatio, nearPlane, farPlane);
}
