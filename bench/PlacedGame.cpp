// The game itself, built for measuring it: the same set-up, frame loop and
// teardown, with two additions chosen on the command line.
//   --at X Y Z YAW   starts the player at (X, Y, Z) facing YAW degrees (0 looks
//                    along +z), to time a view from inside the maze;
//   --pitch DEGREES  then tilts the view up (positive) or down, as the mouse
//                    would, for a picture of a wall with stone at every edge;
//   --seed N         generates the maze from seed N instead of a fresh one, so
//                    that pictures and timings before and after a change show
//                    the same maze;
//   --start-up       prints the wall-clock time at which the first frame has been
//                    presented and finished, then ends the run, so that a script
//                    can take it away from the time at which it started us.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <glm/trigonometric.hpp>

#include "app/Game.h"
#include "app/RunSetup.h"
#include "app/Scene.h"

namespace {

struct Placement {
    bool given = false;
    glm::vec3 position{0.0f};
    float yawRadians = 0.0f;
    float pitchRadians = 0.0f;
};

struct Options {
    Placement placement;
    GameOptions game;
    bool reportStartUp = false;
};

void place(Player& player, const Placement& placement) {
    player.setPosition(placement.position);
    player.look(placement.yawRadians - player.getHorizontalAngle(), placement.pitchRadians);
}

void reportFirstFramePresented(GLFWwindow* window) {
    // Only a finished frame has been seen: the swap alone may leave llvmpipe
    // still drawing.
    glFinish();
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const long long nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count();
    std::printf("first frame presented at %lld ns\n", nanoseconds);
    std::fflush(stdout);
    glfwSetWindowShouldClose(window, GLFW_TRUE);
}

int usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--at X Y Z YAW_DEGREES] [--pitch DEGREES] [--seed N] [--start-up]\n",
                 program);
    return 2;
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--at") == 0 && i + 4 < argc) {
            options.placement.given = true;
            options.placement.position = {std::strtof(argv[i + 1], nullptr),
                                          std::strtof(argv[i + 2], nullptr),
                                          std::strtof(argv[i + 3], nullptr)};
            options.placement.yawRadians = glm::radians(std::strtof(argv[i + 4], nullptr));
            i += 4;
        } else if (std::strcmp(argv[i], "--pitch") == 0 && i + 1 < argc) {
            options.placement.pitchRadians = glm::radians(std::strtof(argv[++i], nullptr));
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            options.game.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--start-up") == 0) {
            options.reportStartUp = true;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        return usage(argv[0]);
    }
    GameHooks hooks;
    hooks.beforeFirstFrame = [options](Scene& scene) {
        if (options.placement.given) {
            place(scene.cam, options.placement);
        }
    };
    if (options.reportStartUp) {
        hooks.afterFirstFrame = reportFirstFramePresented;
    }
    // No replay or recording is ever asked for here, so nothing can fail.
    RunSetup setup;
    prepareRun(options.game, setup);
    return playGame(options.game, hooks, std::move(setup));
}
