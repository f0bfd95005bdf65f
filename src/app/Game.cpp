#include "app/Game.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>

#include "app/ApplyControls.h"
#include "app/Food.h"
#include "app/FrameReport.h"
#include "app/GameConstants.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "player/Controls.h"

namespace {

// Keeps the player 0.15 units clear of the wall faces around it.
void correctForWalls(Player& player, const Maze& maze) {
    player.setPosition(player.getPosition() + wallCorrection(player.getPosition(), maze));
}

void runFrameLoop(GLFWwindow* window, Scene& scene, const GameHooks& hooks) {
    int points = 0;
    bool firstFrame = true;
    FrameReport report(glfwGetTime());
    do {
        reportFrameTime(report);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        applyControls(window, scene.cam, scene.mmesh);
        correctForWalls(scene.cam, scene.mmesh);
        eatFood(scene.cam, scene.mmesh, points);
        scene.draw();
        const int total = scoreTotal(game::roomRows, game::roomColumns);
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

int playGame(const GameOptions& options, const GameHooks& hooks) {
    GameWindow opened = openGameWindow(options.fullscreen);
    if (opened.window == nullptr) {
        return -1;
    }
    Scene scene(game::roomRows, game::roomColumns,
                options.seed ? seededPick(*options.seed) : PickFunction(randomInt));
    if (hooks.beforeFirstFrame) {
        hooks.beforeFirstFrame(scene);
    }
    runFrameLoop(opened.window, scene, hooks);

    scene.release();
    closeGameWindow(opened);
    return 0;
}
