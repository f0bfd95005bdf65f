#include "app/Window.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>

#include "app/GameConstants.h"
#include "app/Platform.h"

namespace {

void requestCoreContext() {
    glfwWindowHint(GLFW_SAMPLES, game::multisampleCount);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    requestPlatformWindowHints();
}

struct WindowSize {
    int width;
    int height;
};

// The window, 1024 x 768; or, full screen, the size of the primary monitor's
// current video mode, with its colour depth and refresh rate asked for so that
// the monitor keeps that mode rather than switching.
GLFWwindow* createWindow(bool fullscreen, WindowSize& size) {
    size = {game::windowWidthPixels, game::windowHeightPixels};
    GLFWmonitor* monitor = fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (fullscreen && mode == nullptr) {
        return nullptr;
    }
    if (mode != nullptr) {
        glfwWindowHint(GLFW_RED_BITS, mode->redBits);
        glfwWindowHint(GLFW_GREEN_BITS, mode->greenBits);
        glfwWindowHint(GLFW_BLUE_BITS, mode->blueBits);
        glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
        size = {mode->width, mode->height};
    }
    return glfwCreateWindow(size.width, size.height, game::windowTitle, monitor, nullptr);
}

}  // namespace

void setFixedGlState() {
    glClearColor(game::clearColour[0], game::clearColour[1], game::clearColour[2],
                 game::clearColour[3]);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    // GL's defaults: back faces culled, counter-clockwise is front.
    glEnable(GL_CULL_FACE);
}

GLFWwindow* initWindow(bool fullscreen) {
    if (!glfwInit()) {
        std::fprintf(stderr, "Failed to initialize GLFW\n");
        return nullptr;
    }
    requestCoreContext();
    WindowSize size{};
    GLFWwindow* window = createWindow(fullscreen, size);
    if (window == nullptr) {
        std::fprintf(stderr,
                     "Failed to open GLFW window. If you have an Intel GPU, they are not 3.3 "
                     "compatible. Try the 2.1 version of the tutorials.\n");
        glfwTerminate();
        return nullptr;
    }
    glfwMakeContextCurrent(window);

    // Core profiles hide extension entry points from GLEW's default lookup.
    glewExperimental = true;
    if (glewInit() != GLEW_OK) {
        std::fprintf(stderr, "Failed to initialize GLEW\n");
        // Nothing else holds the window: close the window system down too.
        glfwTerminate();
        return nullptr;
    }

    // A key tapped between two polls still reads as pressed once.
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GL_TRUE);
    glfwSetCursorPos(window, size.width / 2, size.height / 2);
    setFixedGlState();
    return window;
}
