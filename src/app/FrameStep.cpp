#include "app/FrameStep.h"

#include <cstdio>

#include <glm/geometric.hpp>
#include <glm/vec2.hpp>

#include "app/Food.h"
#include "app/GameConstants.h"
#include "maze/Maze.h"
#include "player/Player.h"

namespace {

InputSource inputSourceFor(RunSetup& setup, const Maze& maze) {
    if (setup.replay) {
        return InputSource::replay(std::move(*setup.replay));
    }
    return setup.autoplay ? InputSource::autoplay(maze.getGrid(), setup.autopilotMayRun)
                          : InputSource();
}

// The game's rules for one frame with its input record, in the frame's order;
// returns what of it is heard.
FrameHeard playFrame(ControlClock& clock, const ControlInput& input, Player& player, Maze& maze,
                     int& points) {
    const glm::vec3 before = player.getPosition();
    const int pointsBefore = points;
    FrameHeard heard;
    heard.stepAskedUnits = stepControls(clock, input, player, maze).stepAskedUnits;
    player.setPosition(player.getPosition() + wallCorrection(player.getPosition(), maze));
    eatFood(player, maze, points);
    heard.cubeEaten = points > pointsBefore;
    heard.walkedUnits = glm::distance(glm::vec2(before.x, before.z),
                                      glm::vec2(player.getPosition().x, player.getPosition().z));
    heard.running = input.run;
    heard.crouching = input.crouch;
    heard.eye = player.getPosition();
    heard.facing = player.getDirection();
    heard.up = player.getUp();
    return heard;
}

}  // namespace

void printFrameConsole(const FrameOutcome& frame) {
    if (frame.reportedMillisecondsPerFrame) {
        std::printf("%f ms/frame\n", *frame.reportedMillisecondsPerFrame);
    }
    if (frame.closingLine) {
        // Whoever watches a run that plays itself waits for this line.
        std::printf("%s\n", frame.closingLine->c_str());
        std::fflush(stdout);
    }
}

FrameStep::FrameStep(Player& player, Maze& maze, RunSetup setup, double startSeconds)
    : player(player),
      maze(maze),
      inputs(inputSourceFor(setup, maze)),
      recording(std::move(setup.recording)),
      report(startSeconds),
      total(scoreTotal(game::roomRows, game::roomColumns)) {}

FrameOutcome FrameStep::advance(const WindowInput& window) {
    FrameOutcome frame;
    if (window.stopAsked) {
        frame.goesOn = false;
        return frame;
    }
    if (pausedBefore(window.controls.now)) {
        resumeAfterPause(window.controls.now);
    }
    double millisecondsPerFrame = 0.0;
    if (report.frameBegun(window.controls.now, millisecondsPerFrame)) {
        frame.reportedMillisecondsPerFrame = millisecondsPerFrame;
    }
    WindowInput onGameClock = window;
    onGameClock.controls.now = gameSecondsAt(window.controls.now);
    frame.played = inputs.next(onGameClock, player);
    recording.write(frame.played, onGameClock.controls.now);
    const int pointsBefore = points;
    frame.sounds =
        soundCues.hear(playFrame(clock, frame.played, player, maze, points), maze.getGrid());
    // The recorded window serves only the cursor's arithmetic: the picture
    // fits the window it is shown in.
    frame.effects = fitToWindow(player, window.controls.windowWidth, window.controls.windowHeight);
    frame.closingLine = closingLineAfter(pointsBefore, frame.played.now);
    frame.scoreLine = scoreLine(points, total);
    return frame;
}

void FrameStep::resumeAfterPause(double nowSeconds) {
    resuming = true;
    report = FrameReport(nowSeconds);
}

// No machine the game plays on draws a frame that long: the process did not
// run in between.
bool FrameStep::pausedBefore(double windowSeconds) {
    const bool paused =
        lastWindowSeconds && windowSeconds - *lastWindowSeconds > game::longestFrameSeconds;
    lastWindowSeconds = windowSeconds;
    return paused;
}

// The first frame after a pause takes the time of the last one before it,
// exactly: the step between them has no length, on every driver and in the
// replay.
double FrameStep::gameSecondsAt(double windowSeconds) {
    const bool resumed = resuming && lastGameSeconds;
    resuming = false;
    if (resumed) {
        pausedSeconds = windowSeconds - *lastGameSeconds;
        return *lastGameSeconds;
    }
    lastGameSeconds = windowSeconds - pausedSeconds;
    return *lastGameSeconds;
}

// A run that plays itself says once, when the last food cube is eaten, how
// long it took in game time; the game alone prints nothing of the kind.
std::optional<std::string> FrameStep::closingLineAfter(int pointsBefore, double now) {
    firstFrameTime = firstFrameTime.value_or(now);
    if (inputs.playsItself() && pointsBefore < total && points == total) {
        return closingLine(points, total, now - *firstFrameTime);
    }
    return std::nullopt;
}

namespace {
// After arriving, the autopilot still turns to face the sculpture squarely.
constexpr double settlingSeconds = 1.0;

}  // namespace

WindowInput stillWindowAt(double now) {
    WindowInput window;
    window.controls.now = now;
    window.controls.windowWidth = game::windowWidthPixels;
    window.controls.windowHeight = game::windowHeightPixels;
    window.controls.cursorX = windowCentrePixels(game::windowWidthPixels);
    window.controls.cursorY = windowCentrePixels(game::windowHeightPixels);
    return window;
}
SimulatedRun simulateRun(
    Maze& maze, RunSetup setup, const std::vector<double>& frameSeconds, double maxGameSeconds,
    const std::function<void(const FrameOutcome&, const Player&)>& afterFrame) {
    Player player;
    player.setPosition(game::startPosition);
    FrameStep step(player, maze, std::move(setup), 0.0);
    SimulatedRun run;
    double now = 0.0;
    double endSeconds = maxGameSeconds;
    for (size_t frame = 0; now <= endSeconds; ++frame) {
        const glm::vec2 before(player.getPosition().x, player.getPosition().z);
        const FrameOutcome outcome = step.advance(stillWindowAt(now));
        run.walkedUnits +=
            glm::distance(before, glm::vec2(player.getPosition().x, player.getPosition().z));
        if (afterFrame) {
            afterFrame(outcome, player);
        }
        if (!run.arrived) {
            run.arrived = step.autopilotHasArrived();
            run.gameSeconds = outcome.played.now;
            endSeconds = run.arrived ? now + settlingSeconds : endSeconds;
        }
        now += frameSeconds[frame % frameSeconds.size()];
    }
    run.points = step.getPoints();
    return run;
}
