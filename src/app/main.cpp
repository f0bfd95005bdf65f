#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <string>

#include "app/ApplyControls.h"
#include "app/Food.h"
#include "app/FrameReport.h"
#include "app/GameConstants.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "player/Controls.h"

namespace {

void reportFrameTime(FrameReport& report) {
    double millisecondsPerFrame = 0.0;
    if (report.frameBegun(glfwGetTime(), millisecondsPerFrame)) {
        std::printf("%f ms/frame\n", millisecondsPerFrame);
    }
}

// Keeps the player 0.15 units clear of the wall faces around it.
void correctForWalls(Player& player, const Maze& maze) {
    player.setPosition(player.getPosition() + wallCorrection(player.getPosition(), maze));
}

bool playerWantsToStop(GLFWwindow* window) {
    return glfwGetKey(window, GLFW_KEY_ESCAPE) == GLFW_PRESS || glfwWindowShouldClose(window);
}

void runFrameLoop(GLFWwindow* window, Scene& scene) {
    int points = 0;
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
        glfwPollEvents();
    } while (!playerWantsToStop(window));
}

}  // namespace

int main() {
    GLFWwindow* window = initWindow();
    if (window == nullptr) {
        return -1;
    }

    // The one vertex-array object: every model records its buffers into it,
    // and it stays bound for the whole run.
    GLuint VertexArrayID = 0;
    glGenVertexArrays(1, &VertexArrayID);
    glBindVertexArray(VertexArrayID);

    Scene scene(game::roomRows, game::roomColumns);
    runFrameLoop(window, scene);

    scene.release();
    glDeleteVertexArrays(1, &VertexArrayID);
    glfwTerminate();
    return 0;
}
