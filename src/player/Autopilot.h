#pragma once

#include <vector>

#include <glm/vec2.hpp>

#include "maze/Maze.h"
#include "player/Controls.h"

class Player;

// A player that is a program. Each frame it writes the input record a person's
// mouse and keys would give (cursor offsets from the window centre, W and Left
// Shift) for the real control step to carry out. It walks the tour of
// planTour along the middle of the corridors, turning at a bounded rate and
// cutting each corner on a curve, and finally stops just inside the exit
// opening, facing the sculpture beyond it squarely and looking down at its
// middle, so that the last view shows it whole. It works at any frame rate from 10 to 500
// steps a second, because every turn and decision is measured in seconds.
class Autopilot {
  public:
    explicit Autopilot(const MazeGrid& grid, bool mayRun = true);

    // The record for the frame at `now` (seconds), as seen from where the
    // player stands and looks before the step.
    ControlInput nextInput(const Player& player, double now, int windowWidth, int windowHeight);

    // True once the player stands at the end of the tour; from then on the
    // autopilot only turns the player to face the sculpture.
    bool hasArrived() const { return nextPoint >= points.size(); }

  private:
    // One corner of the tour in world x and z. At a stop the player arrives
    // and turns on the spot (a dead end, and the end of the tour); at any
    // other corner it turns while walking.
    struct Waypoint {
        glm::vec2 at;
        bool stop;
    };

    void passArrivedWaypoints(const glm::vec2& position);
    glm::vec2 aimPoint(const glm::vec2& position) const;
    float leftOnLeg(const glm::vec2& position) const;
    bool roomToRun(const glm::vec2& position) const;
    bool stepFits(const glm::vec2& position, float stepUnits) const;
    float pitchTowardsSculpture(const Player& player) const;

    std::vector<Waypoint> points;
    size_t nextPoint = 1;  // the end of the leg being walked
    glm::vec2 lastLegDirection{0.0f, 1.0f};
    glm::vec2 sculptureAt{0.0f};  // the middle of the tour's last cell
    bool mayRun;
    bool started = false;
    double lastNow = 0.0;
};
