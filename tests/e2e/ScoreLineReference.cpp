// Renders one score line with the game's own window set-up and text overlay,
// over the game's clear colour, and writes the resolved window pixels as a
// binary PPM. The end-to-end tests compare the game's screenshots with it, so
// that the score line is checked by pixels rather than by eye.
//
//   score_line_reference <data dir> <text> <absolute path of output.ppm>

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "app/GameConstants.h"
#include "app/Window.h"
#include "text/TextOverlay.h"

namespace {

std::vector<unsigned char> readResolvedPixels(int width, int height) {
    GLuint framebuffer = 0;
    GLuint colour = 0;
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glDeleteRenderbuffers(1, &colour);
    glDeleteFramebuffers(1, &framebuffer);
    return pixels;
}

bool writePpm(const char* path, const std::vector<unsigned char>& bottomUpRgb, int width,
              int height) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int row = height - 1; row >= 0; --row) {
        std::fwrite(&bottomUpRgb[row * rowBytes], 1, rowBytes, file);
    }
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <data dir> <text> <output.ppm>\n", argv[0]);
        return 2;
    }
    // The game reads its files from its working directory; so does this.
    const char* outputPath = argv[3];
    if (chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 2;
    }
    GLFWwindow* window = initWindow();
    if (window == nullptr) {
        return 1;
    }
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);

    TextOverlay text;
    text.init(asset::glyphAtlas);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    text.draw(argv[2], game::scoreLineX, game::scoreLineY, game::scoreLineSizePixels);
    const std::vector<unsigned char> pixels =
        readResolvedPixels(game::windowWidthPixels, game::windowHeightPixels);
    text.release();
    glDeleteVertexArrays(1, &vertexArray);
    glfwTerminate();
    return writePpm(outputPath, pixels, game::windowWidthPixels, game::windowHeightPixels) ? 0 : 1;
}
