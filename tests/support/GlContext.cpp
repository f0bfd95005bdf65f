#include "support/GlContext.h"

#include <cstdio>
#include <cstdlib>

namespace {

GLFWwindow* sharedWindow = nullptr;

GLFWwindow* openHiddenWindow() {
    if (!glfwInit()) {
        return nullptr;
    }
    glfwWindowHint(GLFW_SAMPLES, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(1024, 768, "Quorralith tests", nullptr, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        return nullptr;
    }
    // glewInit in a core context leaves a harmless GL_INVALID_ENUM behind;
    // clear it so that tests that look at glGetError start clean.
    while (glGetError() != GL_NO_ERROR) {
    }
    return window;
}

}  // namespace

void GlTest::SetUpTestSuite() {
    if (sharedWindow == nullptr) {
        sharedWindow = openHiddenWindow();
    }
}

void GlTest::SetUp() {
    ASSERT_NE(sharedWindow, nullptr) << "no GL context: is an X display (xvfb-run) available?";
    glfwMakeContextCurrent(sharedWindow);
}

GLFWwindow* GlTest::window() {
    return sharedWindow;
}
