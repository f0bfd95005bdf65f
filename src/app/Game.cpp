#include "app/Game.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <optional>

#include "app/ApplyControls.h"
#include "app/Food.h"
#include "app/FrameInput.h"
#include "app/FrameReport.h"
#include "app/FrameStep.h"
#include "app/GameConstants.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "player/Controls.h"

namespace {

FrameInput frameInputFor(RunSetup& setup, const Maze& maze) {
    if (setup.replaying) {
        return FrameInput::replay(std::move(setup.replayFrames));
    }
    return setup.autoplay ? FrameInput::autoplay(maze.getGrid()) : FrameInput();
}

// A run that plays itself says once, when the last food cube is eaten, how
// long it took; the game alone prints nothing of the kind.
void reportAllEaten(const FrameInput& inputs, int pointsBefore, int points, int total,
                    double gameSeconds) {
    if (inputs.playsItself() && pointsBefore < total && points == total) {
        std::printf("%s\n", closingLine(points, total, gameSeconds).c_str());
        std::fflush(stdout);
    }
}

void runFrameLoop(GLFWwindow* window, Scene& scene, const GameHooks& hooks, RunSetup& setup) {
    int points = 0;
    bool firstFrame = true;
    FrameReport report(glfwGetTime());
    // The control step's clock lives for the whole run; the first step starts
    // it, so the first frame does not move the player.
    ControlClock clock;
    FrameInput inputs = frameInputFor(setup, scene.mmesh);
    std::optional<double> firstFrameTime;
    const int total = scoreTotal(game::roomRows, game::roomColumns);
    do {
        reportFrameTime(report);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const ControlInput input = inputs.next(window, scene.cam);
        recordFrame(setup, input);
        const int pointsBefore = points;
        applyControlEffects(window, playFrame(clock, input, scene.cam, scene.mmesh, points));
        firstFrameTime = firstFrameTime.value_or(input.now);
        reportAllEaten(inputs, pointsBefore, points, total, input.now - *firstFrameTime);
        scene.draw();
        scene.drawScoreLine(scoreLine(points, total).c_str());
        glfwSwapBuffers(window);
        if (firstFrame && hooks.afterFirstFrame) {
            hooks.afterFirstFrame(window);
        }
        firstFrame = false;
        glfwPollEvents();
    } while (!playerWantsToStop(window));
}

}  // namespace

void reportFrameTime(FrameReport& report) {
    double millisecondsPerFrame = 0.0;
    if (report.frameBegun(glfwGetTime(), millisecondsPerFrame)) {
        std::printf("%f ms/frame\n", millisecondsPerFrame);
    }
}

bool playerWantsToStop(GLFWwindow* window) {
    return glfwGetKey(window, GLFW_KEY_ESCAPE) == GLFW_PRESS || glfwWindowShouldClose(window);
}

GameWindow openGameWindow(bool fullscreen) {
    GameWindow opened;
    opened.window = initWindow(fullscreen);
    if (opened.window != nullptr) {
        glGenVertexArrays(1, &opened.vertexArray);
        glBindVertexArray(opened.vertexArray);
    }
    return opened;
}

void closeGameWindow(GameWindow& opened) {
    glDeleteVertexArrays(1, &opened.vertexArray);
    glfwTerminate();
    opened = GameWindow{};
}

int playGame(const GameOptions& options, const GameHooks& hooks, RunSetup setup) {
    GameWindow opened = openGameWindow(options.fullscreen);
    if (opened.window == nullptr) {
        return -1;
    }
    Scene scene(game::roomRows, game::roomColumns,
                setup.seed ? seededPick(*setup.seed) : PickFunction(randomInt));
    if (hooks.beforeFirstFrame) {
        hooks.beforeFirstFrame(scene);
    }
    runFrameLoop(opened.window, scene, hooks, setup);

    scene.release();
    closeGameWindow(opened);
    return 0;
}
