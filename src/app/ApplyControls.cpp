#include "app/ApplyControls.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "player/Controls.h"

namespace {

bool keyPressed(GLFWwindow* window, int key) {
    return glfwGetKey(window, key) == GLFW_PRESS;
}

}  // namespace

// Every key but Escape, which the frame loop reads itself: with sticky keys
// a tap reads as pressed once, and it must not be spent here.
bool anyKeyButEscapePressed(GLFWwindow* window) {
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
        if (key != GLFW_KEY_ESCAPE && keyPressed(window, key)) {
            return true;
        }
    }
    return false;
}

// Each key is read once per frame: with sticky keys on, a tap between two
// frames reads as pressed exactly once.
ControlInput readControlInput(GLFWwindow* window) {
    ControlInput input;
    input.now = glfwGetTime();
    glfwGetCursorPos(window, &input.cursorX, &input.cursorY);
    glfwGetWindowSize(window, &input.windowWidth, &input.windowHeight);
    input.forward = keyPressed(window, GLFW_KEY_W);
    input.back = keyPressed(window, GLFW_KEY_S);
    input.right = keyPressed(window, GLFW_KEY_D);
    input.left = keyPressed(window, GLFW_KEY_A);
    input.run = keyPressed(window, GLFW_KEY_LEFT_SHIFT);
    input.crouch = keyPressed(window, GLFW_KEY_LEFT_CONTROL);
    input.focused = glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE;
    return input;
}

void applyControlEffects(GLFWwindow* window, const ControlEffects& effects) {
    glViewport(0, 0, effects.viewportWidth, effects.viewportHeight);
    glfwSetCursorPos(window, effects.cursorCentreX, effects.cursorCentreY);
}
