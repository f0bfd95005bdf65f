#pragma once

#include <glm/vec3.hpp>

class Maze;
class Player;

// Everything the control step needs from the window system for one frame,
// read once by a thin GLFW layer (src/app) so that the turning, moving and
// wall testing below is plain code that a test can drive with any input.
struct ControlInput {
    double now = 0.0;  // seconds, on the window system's clock
    double cursorX = 0.0;
    double cursorY = 0.0;
    int windowWidth = 0;
    int windowHeight = 0;
    bool forward = false;  // W
    bool back = false;     // S
    bool right = false;    // D
    bool left = false;     // A
    bool run = false;      // Left Shift
    bool crouch = false;   // Left Control
};

// The control step's clock, kept between frames. The first step starts it at
// that frame's time, so the first step has no length.
struct ControlClock {
    bool started = false;
    double lastFrameTime = 0.0;
};

// What the window system must be told after the step: the viewport and where
// the cursor goes back to.
struct ControlEffects {
    int viewportWidth = 0;
    int viewportHeight = 0;
    double cursorCentreX = 0.0;
    double cursorCentreY = 0.0;
};

ControlEffects stepControls(ControlClock& clock, const ControlInput& input, Player& player,
                            const Maze& maze);

// The push that keeps the player 0.15 units away from the faces of the four
// side neighbours' walls; y is always 0. The caller applies it.
glm::vec3 wallCorrection(const glm::vec3& position, const Maze& maze);
