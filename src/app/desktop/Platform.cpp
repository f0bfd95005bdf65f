#include "app/Platform.h"

#include <GLFW/glfw3.h>

void driveFrames(GameRun& run, const DrawFrame& draw) {
    while (presentFrame(run.opened, run.step, draw)) {
    }
}

void requestPlatformWindowHints() {}

// A minimised window's cursor is no player's hand on the mouse, whatever the
// focus says.
bool playerHasTheMouse(GLFWwindow* window) {
    return glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE &&
           glfwGetWindowAttrib(window, GLFW_ICONIFIED) == GLFW_FALSE;
}
