#include "support/HiddenWindow.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

GLFWwindow* openHiddenWindow(int width, int height, int samples, const char* title) {
    if (!glfwInit()) {
        return nullptr;
    }
    glfwWindowHint(GLFW_SAMPLES, samples);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(width, height, title, nullptr, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        return nullptr;
    }
    // glewInit in a core context leaves a harmless GL_INVALID_ENUM behind.
    clearGlErrors();
    return window;
}

void clearGlErrors() {
    while (glGetError() != GL_NO_ERROR) {
    }
}
