// What one frame of the game costs on this machine's GL: the whole scene and
// the score line drawn into the game's window, finished and presented, from a
// few places in the maze. Needs an X display (make bench provides a virtual
// one when there is none). The wall shader and the draw order dominate this
// figure on a software renderer, so it is the one to watch when they change.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "app/GameConstants.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "player/Player.h"

namespace {

constexpr float halfTurn = 3.14159265f;

// The window, the vertex array and the scene, made once for all cases.
struct Game {
    GLFWwindow* window = nullptr;
    GLuint vertexArray = 0;
    std::unique_ptr<Scene> scene;
};

Game& game() {
    static Game instance = [] {
        Game made;
        if (chdir(QUORRALITH_DATA_DIR) != 0) {
            return made;
        }
        made.window = initWindow();
        if (made.window == nullptr) {
            return made;
        }
        glGenVertexArrays(1, &made.vertexArray);
        glBindVertexArray(made.vertexArray);
        made.scene = std::make_unique<Scene>(game::roomRows, game::roomColumns);
        return made;
    }();
    return instance;
}

void drawFrames(benchmark::State& state, const glm::vec3& position, float yawRadians) {
    Game& g = game();
    if (g.scene == nullptr) {
        state.SkipWithError("no GL window: run under an X display");
        return;
    }
    Player& player = g.scene->cam;
    player.setPosition(position);
    player.look(yawRadians - player.getHorizontalAngle(), -player.getVerticalAngle());
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        g.scene->draw();
        g.scene->drawScoreLine("Points:   0/101");
        glfwSwapBuffers(g.window);
        glFinish();
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The start: looking down the first rooms, which are drawn first, so the depth
// test turns most hidden walls away before they are shaded.
void BM_FrameFromTheEntrance(benchmark::State& state) {
    drawFrames(state, game::startPosition, 0.0f);
}
BENCHMARK(BM_FrameFromTheEntrance)->Unit(benchmark::kMillisecond)->UseRealTime();

// The far corner, looking back towards the entrance: the rows are drawn from
// the far side first, so every wall and floor block in view is shaded and
// then covered by nearer ones.
void BM_FrameLookingBackFromTheFarCorner(benchmark::State& state) {
    drawFrames(state, {38.0f, standingEyeHeight, 38.0f}, halfTurn);
}
BENCHMARK(BM_FrameLookingBackFromTheFarCorner)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
