#include "app/Platform.h"

#include <GLFW/glfw3.h>
#include <emscripten.h>

namespace {

struct Frames {
    GameRun* run;
    const DrawFrame* draw;
};

void playOneFrame(void* frames) {
    const Frames& driven = *static_cast<const Frames*>(frames);
    if (!presentFrame(driven.run->opened, driven.run->step, *driven.draw)) {
        emscripten_cancel_main_loop();
    }
}

}  // namespace

// The browser calls the frame function for every frame it paints. Simulating
// an endless loop leaves this call (and runGame's scene and step, on its
// stack) alive for as long as the page is.
void driveFrames(GameRun& run, const DrawFrame& draw) {
    Frames frames{&run, &draw};
    emscripten_set_main_loop_arg(playOneFrame, &frames, 0, true);
}

void requestPlatformWindowHints() {
    glfwWindowHint(GLFW_ALPHA_BITS, 0);
}
