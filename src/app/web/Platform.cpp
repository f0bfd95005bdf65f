#include "app/Platform.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <emscripten.h>

#include <optional>

#include "app/FrameStep.h"
#include "app/Scene.h"
#include "sound/SoundOutput.h"

// The page (web/page.mjs) owns the canvas, the keys, the mouse, the touches
// and the pause; the game hears from it once a frame through this one call,
// and tells it two things back: that its first frame is drawn, and that
// every food cube is eaten. Emscripten's GLFW is used for the context and the
// clock only: its own keyboard reads layout letters rather than key
// positions, and a window resized to the screen's size asks it for
// fullscreen, so the game never resizes its window or reads its keys here.
// clang-format off
EM_JS(void, takePageFrame, (double* numbers), {
    const frame = Module.quorralithPage.takeFrame();
    HEAPF64.set([frame.runs ? 1 : 0, frame.looks ? 1 : 0, frame.bufferWidth, frame.bufferHeight,
                 frame.keys, frame.moveX, frame.moveY, frame.handedOver ? 1 : 0,
                 frame.waited ? 1 : 0, frame.soundVolume], numbers >> 3);
});
EM_JS(void, tellPage, (const char* event), {
    Module.quorralithPage.hear(UTF8ToString(event));
});
// clang-format on

namespace {

// What the page gives for one frame.
struct PageFrame {
    // The page is in play or showing the demo; otherwise the game waits.
    bool runs = false;
    // The player's mouse or finger turns the view (not during the demo).
    bool looks = false;
    // The canvas's drawing buffer, in device pixels.
    int bufferWidth = 1;
    int bufferHeight = 1;
    // The game's keys held, one bit each, in the order of pageKeyBits.
    int keys = 0;
    // How far the mouse or the finger moved since the last frame, in pixels.
    double moveX = 0.0;
    double moveY = 0.0;
    // A click, a key or a touch since the last frame: the player takes over
    // a game the autopilot is showing.
    bool handedOver = false;
    // The game did not run since the last frame (a pause, a hidden tab, a
    // lost context): the time between is no step of the player's.
    bool waited = false;
    // 0 to 1: 0 until the player's first click or tap, and while the page's
    // sound switch is off.
    double soundVolume = 0.0;
};

// The bits of PageFrame::keys, as web/keys.mjs sets them.
enum PageKeyBits {
    forwardBit = 1,
    backBit = 2,
    rightBit = 4,
    leftBit = 8,
    runBit = 16,
    crouchBit = 32
};

PageFrame readPageFrame() {
    double numbers[10] = {};
    takePageFrame(numbers);
    PageFrame page;
    page.runs = numbers[0] != 0.0;
    page.looks = numbers[1] != 0.0;
    page.bufferWidth = static_cast<int>(numbers[2]);
    page.bufferHeight = static_cast<int>(numbers[3]);
    page.keys = static_cast<int>(numbers[4]);
    page.moveX = numbers[5];
    page.moveY = numbers[6];
    page.handedOver = numbers[7] != 0.0;
    page.waited = numbers[8] != 0.0;
    page.soundVolume = numbers[9];
    return page;
}

// The page's frame as the window input the desktop reads from GLFW: the
// move lands as a cursor that far from the window's centre, which is where
// the control step measures the turn from.
WindowInput windowInputFrom(const PageFrame& page, double now) {
    WindowInput input;
    ControlInput& controls = input.controls;
    controls.now = now;
    controls.windowWidth = page.bufferWidth;
    controls.windowHeight = page.bufferHeight;
    controls.cursorX = windowCentrePixels(page.bufferWidth) + page.moveX;
    controls.cursorY = windowCentrePixels(page.bufferHeight) + page.moveY;
    controls.forward = (page.keys & forwardBit) != 0;
    controls.back = (page.keys & backBit) != 0;
    controls.right = (page.keys & rightBit) != 0;
    controls.left = (page.keys & leftBit) != 0;
    controls.run = (page.keys & runBit) != 0;
    controls.crouch = (page.keys & crouchBit) != 0;
    controls.focused = page.looks;
    input.otherKeyPressed = page.handedOver;
    // Escape pauses the page; a page is left, not ended.
    input.stopAsked = false;
    return input;
}

struct Frames {
    GameRun* run;
    const DrawFrame* draw;
    // The last frame shown, drawn again when the canvas changes size while
    // the game waits, so that the paused picture is never a stretched one.
    std::optional<FrameOutcome> shown;
    int shownWidth = 0;
    int shownHeight = 0;
    // The device is opened once, on the first frame with a volume: the page
    // gives one only after a gesture, when the browser lets audio start.
    bool soundTried = false;
};

// The page's volume, and silence while the game waits (the hums would go on
// humming over the pause otherwise).
void hearPage(Frames& frames, const PageFrame& page) {
    SoundOutput& sound = frames.run->sound;
    if (page.soundVolume > 0.0 && !frames.soundTried) {
        frames.soundTried = true;
        sound.open();
    }
    sound.setVolume(page.runs ? static_cast<float>(page.soundVolume) : 0.0f);
}

void show(Frames& frames, const FrameOutcome& frame, int width, int height) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, width, height);
    (*frames.draw)(frame);
    frames.shownWidth = width;
    frames.shownHeight = height;
}

// The paused picture at the canvas's new size: the same view, fitted again.
void reshowAtNewSize(Frames& frames, const PageFrame& page) {
    if (!frames.shown ||
        (page.bufferWidth == frames.shownWidth && page.bufferHeight == frames.shownHeight)) {
        return;
    }
    fitToWindow(frames.run->scene.cam, page.bufferWidth, page.bufferHeight);
    show(frames, *frames.shown, page.bufferWidth, page.bufferHeight);
}

void playOneFrame(void* state) {
    Frames& frames = *static_cast<Frames*>(state);
    const PageFrame page = readPageFrame();
    hearPage(frames, page);
    // The first frame is always drawn: the start view behind the page's
    // prompt. After it, the game waits while the page does.
    if (frames.shown && !page.runs) {
        reshowAtNewSize(frames, page);
        return;
    }
    FrameStep& step = frames.run->step;
    if (page.waited) {
        step.resumeAfterPause(glfwGetTime());
    }
    const int pointsBefore = step.getPoints();
    const FrameOutcome frame = step.advance(windowInputFrom(page, glfwGetTime()));
    printFrameConsole(frame);
    frames.run->sound.play(frame.sounds);
    show(frames, frame, frame.effects.viewportWidth, frame.effects.viewportHeight);
    if (!frames.shown) {
        tellPage("first-frame");
    }
    // The game has no end: the page says that every cube is eaten, and the
    // maze stays open to walk in.
    if (pointsBefore < step.getTotal() && step.getPoints() == step.getTotal()) {
        tellPage("all-eaten");
    }
    frames.shown = frame;
}

}  // namespace

// The browser calls the frame function for every frame it paints. Simulating
// an endless loop leaves this call (and runGame's scene and step, on its
// stack) alive for as long as the page is.
void driveFrames(GameRun& run, const DrawFrame& draw) {
    Frames frames{&run, &draw, std::nullopt};
    emscripten_set_main_loop_arg(playOneFrame, &frames, 0, true);
}

void requestPlatformWindowHints() {
    glfwWindowHint(GLFW_ALPHA_BITS, 0);
}

void startPlatformSound(SoundOutput&, const GameOptions&) {}
