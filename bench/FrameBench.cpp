// What one frame of the game costs on this machine's GL: the game's own frame
// (its step, the whole scene and the score line) in the game's window,
// finished and presented, from a few places in the maze. Needs an X display (make bench provides a
// virtual one when there is none). The wall shader and the draw order dominate this figure on a
// software renderer, so it is the one to watch when they change.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "app/FrameStep.h"
#include "app/Game.h"
#include "app/GameConstants.h"
#include "app/Scene.h"
#include "player/Player.h"

namespace {

constexpr float halfTurn = 3.14159265f;

// The window, the vertex array, the scene and its frame step, made once for
// all cases.
struct Game {
    GameWindow opened;
    std::unique_ptr<Scene> scene;
    std::unique_ptr<FrameStep> step;
};

Game& game() {
    static Game instance = [] {
        Game made;
        if (chdir(QUORRALITH_DATA_DIR) != 0) {
            return made;
        }
        made.opened = openGameWindow();
        if (made.opened.window == nullptr) {
            return made;
        }
        made.scene = std::make_unique<Scene>(game::roomRows, game::roomColumns);
        made.step = std::make_unique<FrameStep>(made.scene->cam, made.scene->mmesh, RunSetup{},
                                                glfwGetTime());
        return made;
    }();
    return instance;
}

// The game's own frames, the player standing still at `position`.
void drawFrames(benchmark::State& state, const glm::vec3& position, float yawRadians) {
    Game& g = game();
    if (g.scene == nullptr) {
        state.SkipWithError("no GL window: run under an X display");
        return;
    }
    Player& player = g.scene->cam;
    player.setPosition(position);
    player.look(yawRadians - player.getHorizontalAngle(), -player.getVerticalAngle());
    // With the cursor at the window's centre the frames read no turn from it.
    glfwSetCursorPos(g.opened.window, windowCentrePixels(game::windowWidthPixels),
                     windowCentrePixels(game::windowHeightPixels));
    const DrawFrame draw = sceneDrawing(*g.scene);
    for (auto _ : state) {
        presentFrame(g.opened, *g.step, draw);
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
