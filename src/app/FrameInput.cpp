#include "app/FrameInput.h"

#include <GLFW/glfw3.h>

#include "app/ApplyControls.h"
#include "player/Player.h"

FrameInput FrameInput::autoplay(const MazeGrid& grid) {
    FrameInput input;
    input.autopilot.emplace(grid);
    input.playedItself = true;
    return input;
}

FrameInput FrameInput::replay(std::vector<ControlInput> frames) {
    FrameInput input;
    input.replayFrames = std::move(frames);
    input.playedItself = true;
    return input;
}

ControlInput FrameInput::fromPlayer(GLFWwindow* window) const {
    ControlInput input = readControlInput(window);
    input.now += clockOffsetSeconds;
    return input;
}

// The game puts the cursor back at the centre every frame, so a cursor found
// elsewhere has been moved, unless it has not moved since the last frame:
// an unfocused window cannot place the cursor, and at the first frame it may
// lie anywhere.
bool FrameInput::playerTookOver(GLFWwindow* window) {
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(window, &x, &y);
    int width = 0;
    int height = 0;
    glfwGetWindowSize(window, &width, &height);
    const bool offCentre = x != static_cast<double>(windowCentrePixels(width)) ||
                           y != static_cast<double>(windowCentrePixels(height));
    const bool moved = lastCursorX && (x != *lastCursorX || y != *lastCursorY);
    lastCursorX = x;
    lastCursorY = y;
    return (offCentre && moved) || anyKeyButEscapePressed(window);
}

ControlInput FrameInput::fromReplay() {
    const ControlInput input = replayFrames[nextReplayFrame++];
    if (nextReplayFrame == replayFrames.size()) {
        // The player's frames go on from the replay's time.
        clockOffsetSeconds = input.now - glfwGetTime();
    }
    return input;
}

ControlInput FrameInput::next(GLFWwindow* window, const Player& player) {
    if (nextReplayFrame < replayFrames.size()) {
        return fromReplay();
    }
    if (autopilot && playerTookOver(window)) {
        autopilot.reset();
    }
    if (autopilot) {
        int width = 0;
        int height = 0;
        glfwGetWindowSize(window, &width, &height);
        return autopilot->nextInput(player, glfwGetTime(), width, height);
    }
    return fromPlayer(window);
}
