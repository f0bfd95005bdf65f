#pragma once

#include <glm/vec3.hpp>

class Maze;
struct MazeGrid;
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
    // Without the focus the window system does not move the cursor back to
    // the centre, so its offset must not turn the view.
    bool focused = true;
};

// The control step's clock, kept between frames. The first step starts it at
// that frame's time, so the first step has no length. It also remembers
// whether the window had the focus: on the first frame back the cursor still
// lies where it was left, and that offset is no turn of the player's.
struct ControlClock {
    bool started = false;
    double lastFrameTime = 0.0;
    bool hadFocus = true;
};

// What the window system must be told after the step: the viewport and where
// the cursor goes back to.
struct ControlEffects {
    int viewportWidth = 0;
    int viewportHeight = 0;
    double cursorCentreX = 0.0;
    double cursorCentreY = 0.0;
    // How far the keys asked to step this frame, horizontally: what the
    // frame then walks says whether a wall stopped the player.
    float stepAskedUnits = 0.0f;
};

// Where the control step puts the cursor back along one axis of the window:
// the middle pixel, a window with no size counting as one pixel.
int windowCentrePixels(int sizePixels);

// The viewport, the player's aspect ratio and the cursor's centre for a
// window of this size. The control step fits them to its record's window; a
// replay's records name the window they were made in, so the frame fits them
// again to the window it is shown in.
ControlEffects fitToWindow(Player& player, int widthPixels, int heightPixels);

ControlEffects stepControls(ControlClock& clock, const ControlInput& input, Player& player,
                            const Maze& maze);

// Whether a straight horizontal step from `from` to `to` enters a solid cell
// on its way or ends in one. A long frame (a stall, a dragged window) makes a
// step longer than a wall is thick: where it lands says nothing about what it
// went through.
bool stepEntersWall(const MazeGrid& grid, const glm::vec3& from, const glm::vec3& to);

// No step that stays inside the maze's walls is this long (the maze is 42
// units across): a longer one is refused whole, as one into a wall is.
constexpr float longestStepUnits = 1000.0f;

// How far the push keeps the player from a neighbouring wall face, in units.
constexpr float wallMargin = 0.15f;

// The nearest the eye ever rests to a solid cell. The side neighbours' push
// keeps it 0.15 away from their faces, but nothing pushes it from the corner
// of a pillar that touches its cell only diagonally (in a room's corner, or
// beyond the exit), and the picture cannot show a face nearer than depth's
// near plane. A step that would leave the player nearer than this after the
// push is refused, as one into a wall is.
constexpr float nearestRestFromAWall = 0.01f;

// Whether the player at `position` (after the push) is nearer than
// nearestRestFromAWall to a solid cell.
bool restsTooNearAWall(const MazeGrid& grid, const glm::vec3& position);

// The push that keeps the player 0.15 units away from the faces of the four
// side neighbours' walls; y is always 0. The caller applies it.
glm::vec3 wallCorrection(const glm::vec3& position, const Maze& maze);
