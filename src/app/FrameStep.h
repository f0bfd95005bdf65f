#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/FrameReport.h"
#include "app/InputSource.h"
#include "app/RunSetup.h"
#include "app/WindowInput.h"
#include "player/Controls.h"
#include "sound/SoundCues.h"

class Maze;
class Player;

// What one frame must show, and whether the run goes on.
struct FrameOutcome {
    // False when the run ends before this frame: nothing of it is drawn.
    bool goesOn = true;
    // The input record the frame was played with.
    ControlInput played;
    // The viewport and where the cursor goes back to.
    ControlEffects effects;
    // Drawn last, over the scene.
    std::string scoreLine;
    // The console's lines of this frame: the once-a-second report of the
    // average frame time, and the line a run that plays itself gives when its
    // last food cube is eaten.
    std::optional<double> reportedMillisecondsPerFrame;
    std::optional<std::string> closingLine;
    // What the frame sounds like: it follows from the frame alone, so a
    // replay and the autopilot sound as the run they play.
    SoundOrders sounds;
};

// Prints the frame's console lines to standard output, the report first.
void printFrameConsole(const FrameOutcome& frame);

// The game's rules, one frame at a time, and everything that lives from one
// frame to the next: the control step's clock, the score, where the input
// comes from, the recording, the frame-time report and whether the closing
// line is still to come. Pure: every driver (the desktop window, the
// simulator, the benches, the tests) reads its own input, calls advance, and
// shows what it returns. The player and the maze belong to the caller and
// must outlive the step.
class FrameStep {
  public:
    // `setup` says who plays (the player, the autopilot, a replay) and where
    // the frames are recorded; `startSeconds` begins the first report
    // interval, on the clock the window input reads.
    FrameStep(Player& player, Maze& maze, RunSetup setup, double startSeconds);

    // One frame from what the window gave at its start: the input record of
    // this frame (recorded when asked for), the control step, the push away
    // from the walls, then the food under the player. A frame that begins
    // longer after the last than any frame lasts (game::longestFrameSeconds)
    // comes after a pause: the process was stopped (a suspended laptop, a
    // shell's job control, a debugger), and it resumes as below.
    FrameOutcome advance(const WindowInput& window);

    // After the game waited (a minimised window, a page out of pointer lock):
    // the game's clock stands still over the wait, so that the next frame has
    // no length, as the first has none, and the frame-time report starts
    // afresh at `nowSeconds`, rather than both paying the wait back. The
    // recording holds the game's clock: its replay has the same frame of no
    // length, and no pause of its own.
    void resumeAfterPause(double nowSeconds);

    int getPoints() const { return points; }
    // The food cubes in the maze: the points of a player who ate them all.
    int getTotal() const { return total; }
    bool autopilotHasArrived() const { return inputs.autopilotHasArrived(); }
    // True while the autopilot has the game: nobody has taken it over yet.
    bool autopilotPlaying() const { return inputs.autopilotPlaying(); }
    // At the end of the run: true unless the recording asked for could not
    // be written whole.
    bool finishRecording() { return recording.finish(); }

  private:
    std::optional<std::string> closingLineAfter(int pointsBefore, double now);
    bool pausedBefore(double windowSeconds);
    double gameSecondsAt(double windowSeconds);

    Player& player;
    Maze& maze;
    InputSource inputs;
    Recording recording;
    ControlClock clock;
    SoundCues soundCues;
    FrameReport report;
    int points = 0;
    int total;
    std::optional<double> firstFrameTime;
    // The window system's clock less every pause: what the frames are played
    // and recorded with.
    double pausedSeconds = 0.0;
    bool resuming = false;
    std::optional<double> lastGameSeconds;
    std::optional<double> lastWindowSeconds;
};

// A focused window of the game's size with the cursor at its centre and no
// key held, at `now`: the input of a player who leaves the game alone.
WindowInput stillWindowAt(double now);

struct SimulatedRun {
    int points = 0;
    double gameSeconds = 0.0;  // at the autopilot's arrival, or the last frame; the first is at 0
    float walkedUnits = 0.0f;  // horizontal distance covered
    bool arrived = false;      // the autopilot walked its whole tour
};

// A run with no window, from the game's start position, through a FrameStep
// as the game plays it. The window gives a still cursor at the centre of a
// focused window of the game's size and no key; its frames last
// `frameSeconds` in turn, over and over, from 0. The run ends a second after
// the autopilot arrives at the end of its tour, or after `maxGameSeconds`.
// `afterFrame` sees each frame's outcome and the player after it.
SimulatedRun simulateRun(
    Maze& maze, RunSetup setup, const std::vector<double>& frameSeconds, double maxGameSeconds,
    const std::function<void(const FrameOutcome&, const Player&)>& afterFrame = {});
