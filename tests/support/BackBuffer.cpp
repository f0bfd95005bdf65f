#include "support/BackBuffer.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstddef>

Rgba readBackBufferPixel(int x, int y) {
    return readBackBufferRegion(x, y, 1, 1).front();
}

std::vector<Rgba> readBackBufferRegion(int x, int y, int regionWidth, int regionHeight) {
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(glfwGetCurrentContext(), &width, &height);
    // Reading a multisampled buffer directly gives unresolved samples at
    // edges: blit into a single-sample framebuffer and read that.
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
