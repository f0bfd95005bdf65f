#pragma once

#include <optional>
#include <vector>

#include "app/ReplayFile.h"
#include "app/WindowInput.h"
#include "player/Autopilot.h"

class Player;

// Where each frame's input record comes from: the player's own mouse and
// keys; the autopilot, until the player touches a key or moves the mouse; or
// a replay's records, until they run out. Either way the player has the game
// from then on, and the game time runs on without a jump.
class InputSource {
  public:
    InputSource() = default;
    static InputSource autoplay(const MazeGrid& grid, bool mayRun = true);
    static InputSource replay(ReplayReader frames);

    // The record for this frame, from what the window gave.
    ControlInput next(const WindowInput& window, const Player& player);

    // True while this run is played by the autopilot or a replay.
    bool playsItself() const { return playedItself; }
    // True once the autopilot has walked its whole tour; false for a player.
    bool autopilotHasArrived() const { return autopilot && autopilot->hasArrived(); }
    bool autopilotPlaying() const { return autopilot.has_value(); }

  private:
    ControlInput fromPlayer(const WindowInput& window) const;
    bool playerTookOver(const WindowInput& window);
    ControlInput fromReplay(const WindowInput& window);
    void readReplayAhead();

    std::optional<Autopilot> autopilot;
    // The next replayed frame is read a frame ahead: the player's clock goes
    // on from the last one.
    std::optional<ReplayReader> replayFrames;
    std::optional<ControlInput> nextReplayFrame;
    bool playedItself = false;
    // Added to the window system's clock once the player has the game, so
    // that a replay's recorded time goes on from where the replay ended.
    double clockOffsetSeconds = 0.0;
    std::optional<double> lastCursorX;
    std::optional<double> lastCursorY;
    bool hadFocus = true;
};
