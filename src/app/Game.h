#pragma once

#include <functional>

#include "app/CommandLine.h"
#include "app/FrameReport.h"
#include "app/RunSetup.h"

struct GLFWwindow;
class Scene;

// What a bench build may add to a run of the game without changing it: a
// change to the scene before the first frame (a player placed elsewhere), and
// a look at the window once the first frame has been presented.
struct GameHooks {
    std::function<void(Scene&)> beforeFirstFrame;
    std::function<void(GLFWwindow*)> afterFirstFrame;
};

// The whole run: window, scene, frame loop until Escape or close, teardown.
// Returns the process's exit code, -1 when the window or GL cannot be set up.
// `setup` is what prepareRun made of the options.
int playGame(const GameOptions& options, const GameHooks& hooks, RunSetup setup);

// The console report of the average frame time, once a second, shared with
// the program that measures the game against an empty frame.
void reportFrameTime(FrameReport& report);

bool playerWantsToStop(GLFWwindow* window);

// The game's window with its GL state, and the one vertex-array object: every
// model records its buffers into it, and it stays bound for the whole run.
// The window is null when it or GL cannot be set up.
struct GameWindow {
    GLFWwindow* window = nullptr;
    unsigned int vertexArray = 0;
};
GameWindow openGameWindow(bool fullscreen = false);
// Deletes the vertex array and ends GLFW, after everything else is released.
void closeGameWindow(GameWindow& opened);
