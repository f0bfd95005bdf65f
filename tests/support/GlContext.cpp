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

Rgba readBackBufferPixel(int x, int y) {
    return readBackBufferRegion(x, y, 1, 1).front();
}

std::vector<Rgba> readBackBufferRegion(int x, int y, int regionWidth, int regionHeight) {
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(sharedWindow, &width, &height);
    // The back buffer is multisampled: resolve it into a single-sample
    // framebuffer so that the pixels are what the screen would show.
    GLuint resolveFramebuffer = 0;
    GLuint colourBuffer = 0;
    glGenFramebuffers(1, &resolveFramebuffer);
    glGenRenderbuffers(1, &colourBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolveFramebuffer);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              colourBuffer);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, resolveFramebuffer);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    std::vector<Rgba> pixels(static_cast<std::size_t>(regionWidth) * regionHeight,
                             Rgba{0, 0, 0, 0});
    GLint previousAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, regionWidth, regionHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, previousAlignment);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &colourBuffer);
    glDeleteFramebuffers(1, &resolveFramebuffer);
    return pixels;
}
