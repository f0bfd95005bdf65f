#include "app/ApplyControls.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <array>

#include "app/StopSignals.h"

namespace {

// Every key's state, each read exactly once this frame: with sticky keys on,
// a tap between two frames reads as pressed once, and a second read would
// miss it.
using KeyStates = std::array<bool, GLFW_KEY_LAST + 1>;

KeyStates readKeys(GLFWwindow* window) {
    KeyStates pressed{};
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
        pressed[key] = glfwGetKey(window, key) == GLFW_PRESS;
    }
    return pressed;
}

// Any key but Escape, which stops the run instead.
bool anyKeyButEscape(const KeyStates& pressed) {
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
        if (key != GLFW_KEY_ESCAPE && pressed[key]) {
            return true;
        }
    }
    return false;
}

// A minimised window's cursor is no player's hand on the mouse, whatever the
// focus says.
bool playerHasTheMouse(GLFWwindow* window) {
    return glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE &&
           glfwGetWindowAttrib(window, GLFW_ICONIFIED) == GLFW_FALSE;
}

// The cursor, relative to the window and on the screen.
struct CursorReading {
    double inWindowX = 0.0;
    double inWindowY = 0.0;
    double onScreenX = 0.0;
    double onScreenY = 0.0;
};

// GLFW gives the cursor relative to the window, and the window's place is a
// second query: a window moved between the two would count its own move as
// the cursor's, and hand an autopilot's game to nobody. So the place is read
// on both sides of the cursor, and the reading kept once the two agree (a
// window dragged without pause gets a few tries, then the last reading).
CursorReading readCursor(GLFWwindow* window) {
    constexpr int attempts = 4;
    CursorReading cursor;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        int beforeX = 0;
        int beforeY = 0;
        int afterX = 0;
        int afterY = 0;
        glfwGetWindowPos(window, &beforeX, &beforeY);
        glfwGetCursorPos(window, &cursor.inWindowX, &cursor.inWindowY);
        glfwGetWindowPos(window, &afterX, &afterY);
        cursor.onScreenX = cursor.inWindowX + afterX;
        cursor.onScreenY = cursor.inWindowY + afterY;
        if (beforeX == afterX && beforeY == afterY) {
            break;
        }
    }
    return cursor;
}

ControlInput readControlInput(GLFWwindow* window, const KeyStates& pressed) {
    ControlInput input;
    input.now = glfwGetTime();
    glfwGetWindowSize(window, &input.windowWidth, &input.windowHeight);
    input.forward = pressed[GLFW_KEY_W];
    input.back = pressed[GLFW_KEY_S];
    input.right = pressed[GLFW_KEY_D];
    input.left = pressed[GLFW_KEY_A];
    input.run = pressed[GLFW_KEY_LEFT_SHIFT];
    input.crouch = pressed[GLFW_KEY_LEFT_CONTROL];
    input.focused = playerHasTheMouse(window);
    return input;
}

}  // namespace

WindowInput readWindowInput(GLFWwindow* window, const CursorRest& rest) {
    const KeyStates pressed = readKeys(window);
    WindowInput input;
    input.controls = readControlInput(window, pressed);
    const CursorReading cursor = readCursor(window);
    input.controls.cursorX = cursor.inWindowX;
    input.controls.cursorY = cursor.inWindowY;
    if (rest.known) {
        input.controls.cursorX =
            windowCentrePixels(input.controls.windowWidth) + (cursor.onScreenX - rest.screenX);
        input.controls.cursorY =
            windowCentrePixels(input.controls.windowHeight) + (cursor.onScreenY - rest.screenY);
    }
    // A click is the player's too: in the browser it is what starts a game
    // that the autopilot was showing.
    input.otherKeyPressed = anyKeyButEscape(pressed) ||
                            glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    input.stopAsked =
        pressed[GLFW_KEY_ESCAPE] || glfwWindowShouldClose(window) || caughtStopSignal() != 0;
    return input;
}

void applyControlEffects(GLFWwindow* window, const ControlEffects& effects, CursorRest& rest) {
    glViewport(0, 0, effects.viewportWidth, effects.viewportHeight);
    glfwSetCursorPos(window, effects.cursorCentreX, effects.cursorCentreY);
    const CursorReading cursor = readCursor(window);
    rest.known = true;
    rest.screenX = cursor.onScreenX;
    rest.screenY = cursor.onScreenY;
}

bool waitWhileMinimised(GLFWwindow* window) {
    // Woken now and then to see a stop signal, which the wait itself outlasts.
    constexpr double signalCheckSeconds = 0.25;
    bool waited = false;
    while (glfwGetWindowAttrib(window, GLFW_ICONIFIED) == GLFW_TRUE &&
           !glfwWindowShouldClose(window) && caughtStopSignal() == 0) {
        glfwWaitEventsTimeout(signalCheckSeconds);
        waited = true;
    }
    return waited;
}
