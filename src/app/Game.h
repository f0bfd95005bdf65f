#pragma once

#include <functional>
#include <optional>

#include "app/ApplyControls.h"
#include "app/CommandLine.h"
#include "app/FrameStep.h"
#include "app/RunSetup.h"

struct GLFWwindow;
class FrameStep;
class Scene;
class SoundOutput;

// A run that played to its end but could not write its recording whole.
constexpr int recordingFailedExitCode = 3;

// The whole run: window, scene, frame loop until Escape or close, teardown.
// Returns the process's exit code: 0, recordingFailedExitCode, or -1 when the
// window or GL cannot be set up.
// `setup` is what prepareRun made of the options.
int playGame(const GameOptions& options, RunSetup setup);

// The game's window with its GL state, and the one vertex-array object: every
// model records its buffers into it, and it stays bound for the whole run.
// The window is null when it or GL cannot be set up.
struct GameWindow {
    GLFWwindow* window = nullptr;
    unsigned int vertexArray = 0;
    CursorRest cursorRest;
};
// What a run holds while its frames are driven; all of it belongs to runGame.
struct GameRun {
    GameWindow& opened;
    Scene& scene;
    FrameStep& step;
    SoundOutput& sound;
};

// Opens the window, builds the scene and its frame step as the options and
// the setup say, hands them to `drive`, and releases everything once it
// returns. playGame drives the frames until the run ends; the start-up bench
// drives one. Returns the exit code as playGame does.
int runGame(const GameOptions& options, RunSetup setup, const std::function<void(GameRun&)>& drive);

// What a frame draws between the clear and the swap.
using DrawFrame = std::function<void(const FrameOutcome&)>;

// The game's drawing: the scene, then the score line over it.
DrawFrame sceneDrawing(Scene& scene);

// One frame in the window: its input read once (after waiting out a
// minimised window), the step, the console lines, the clear, the window's
// viewport and cursor, the drawing, the swap and the event poll. False, with
// nothing printed or drawn, once the run has ended; else the frame shown.
std::optional<FrameOutcome> presentFrame(GameWindow& opened, FrameStep& step,
                                         const DrawFrame& draw);

GameWindow openGameWindow(bool fullscreen = false);
// Deletes the vertex array and ends GLFW, after everything else is released.
void closeGameWindow(GameWindow& opened);
