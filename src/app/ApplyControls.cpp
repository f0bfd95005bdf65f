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

ControlInput readControlInput(GLFWwindow* window, const KeyStates& pressed) {
    ControlInput input;
    input.now = glfwGetTime();
    glfwGetCursorPos(window, &input.cursorX, &input.cursorY);
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

WindowInput readWindowInput(GLFWwindow* window, CursorRest& rest) {
    const KeyStates pressed = readKeys(window);
    WindowInput input;
    input.controls = readControlInput(window, pressed);
    glfwGetWindowPos(window, &rest.windowX, &rest.windowY);
    if (rest.known) {
        input.controls.cursorX = windowCentrePixels(input.controls.windowWidth) +
                                 (input.controls.cursorX + rest.windowX - rest.screenX);
        input.controls.cursorY = windowCentrePixels(input.controls.windowHeight) +
                                 (input.controls.cursorY + rest.windowY - rest.screenY);
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
    glfwGetCursorPos(window, &rest.screenX, &rest.screenY);
    rest.known = true;
    rest.screenX += rest.windowX;
    rest.screenY += rest.windowY;
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
