#include "app/Platform.h"

#include <GLFW/glfw3.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include "app/FrameStep.h"

namespace {

struct Frames {
    GameRun* run;
    const DrawFrame* draw;
    bool firstShown = false;
    bool paused = false;
};

bool pointerLocked() {
    EmscriptenPointerlockChangeEvent lock{};
    return emscripten_get_pointerlock_status(&lock) == EMSCRIPTEN_RESULT_SUCCESS &&
           lock.isActive == EM_TRUE;
}

// The canvas fills the browser's window: the game's window takes its size,
// and the view's aspect follows as on a desktop resize.
void followTheCanvas(GLFWwindow* window) {
    double cssWidth = 0.0;
    double cssHeight = 0.0;
    emscripten_get_element_css_size("#canvas", &cssWidth, &cssHeight);
    int width = 0;
    int height = 0;
    glfwGetWindowSize(window, &width, &height);
    if (static_cast<int>(cssWidth) != width || static_cast<int>(cssHeight) != height) {
        glfwSetWindowSize(window, static_cast<int>(cssWidth), static_cast<int>(cssHeight));
    }
}

void playOneFrame(void* frames) {
    Frames& driven = *static_cast<Frames*>(frames);
    // Out of pointer lock the game waits behind the page's prompt, showing
    // the frame it stopped at (at first, the start view), but for the
    // autopilot's demo, which plays until the player clicks.
    if (driven.firstShown && !pointerLocked() && !driven.run->step.autopilotPlaying()) {
        driven.paused = true;
        return;
    }
    if (driven.paused) {
        driven.run->step.resumeAfterPause(glfwGetTime());
        driven.paused = false;
    }
    driven.firstShown = true;
    followTheCanvas(driven.run->opened.window);
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

bool playerHasTheMouse(GLFWwindow*) {
    return pointerLocked();
}
