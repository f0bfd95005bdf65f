// The game itself, from the start of its process to its first frame
// presented and finished, shader compilation, file loading and maze
// generation included. It takes the game's own command line, prints the
// wall-clock time of that moment and ends the run, so that bench/start-up.sh
// can take away the time at which it started us.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <utility>

#include "app/FrameStep.h"
#include "app/Game.h"
#include "app/RunSetup.h"

namespace {

void reportFirstFramePresented() {
    // Only a finished frame has been seen: the swap alone may leave llvmpipe
    // still drawing.
    glFinish();
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const long long nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count();
    std::printf("first frame presented at %lld ns\n", nanoseconds);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine command = parseCommandLine(argc, argv);
    RunSetup setup;
    const std::string error =
        command.error.empty() ? prepareRun(command.options, setup) : command.error;
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 2;
    }
    return runGame(command.options, std::move(setup), [](GameRun& run) {
        presentFrame(run.opened, run.step, sceneDrawing(run.scene));
        reportFirstFramePresented();
    });
}
