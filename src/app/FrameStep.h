#pragma once

#include <functional>
#include <vector>

#include "player/Controls.h"

class Maze;
class Player;

// The game's rules for one frame, in the frame loop's order: the control step
// with this frame's input record, the push away from the walls, then the food
// under the player. Pure: the caller hands the effects to the window system.
ControlEffects playFrame(ControlClock& clock, const ControlInput& input, Player& player, Maze& maze,
                         int& points);

struct AutoplayResult {
    int points = 0;
    double gameSeconds = 0.0;  // at arrival, or the last frame; the first is at 0
    float walkedUnits = 0.0f;  // horizontal distance covered
    bool arrived = false;
};

// The autopilot plays the maze with no window, from the game's start position
// until a second after it arrives at the end of its tour, or until
// `maxGameSeconds` pass. The
// frames last `frameSeconds` in turn, over and over. `afterFrame` sees each
// record and the player after that frame.
AutoplayResult simulateAutoplay(
    Maze& maze, const std::vector<double>& frameSeconds, bool mayRun, double maxGameSeconds,
    const std::function<void(const ControlInput&, const Player&)>& afterFrame = {});
