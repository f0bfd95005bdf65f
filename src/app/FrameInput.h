#pragma once

#include <optional>
#include <vector>

#include "player/Autopilot.h"
#include "player/Controls.h"

struct GLFWwindow;
class Player;

// Where each frame's input record comes from: the player's own mouse and
// keys; the autopilot, until the player touches a key or moves the mouse; or
// a replay's records, until they run out. Either way the player has the game
// from then on, and the game time runs on without a jump.
class FrameInput {
  public:
    FrameInput() = default;
    static FrameInput autoplay(const MazeGrid& grid);
    static FrameInput replay(std::vector<ControlInput> frames);

    ControlInput next(GLFWwindow* window, const Player& player);

    // True while this run is played by the autopilot or a replay.
    bool playsItself() const { return playedItself; }

  private:
    ControlInput fromPlayer(GLFWwindow* window) const;
    bool playerTookOver(GLFWwindow* window);
    ControlInput fromReplay();

    std::optional<Autopilot> autopilot;
    std::vector<ControlInput> replayFrames;
    size_t nextReplayFrame = 0;
    bool playedItself = false;
    // Added to the window system's clock once the player has the game, so
    // that a replay's recorded time goes on from where the replay ended.
    double clockOffsetSeconds = 0.0;
    std::optional<double> lastCursorX;
    std::optional<double> lastCursorY;
};
