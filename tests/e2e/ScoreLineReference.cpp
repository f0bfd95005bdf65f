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
#include "support/BackBuffer.h"
#include "text/TextOverlay.h"

namespace {

bool writePpm(const char* path, const std::vector<Rgba>& bottomUpPixels, int width, int height) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int row = height - 1; row >= 0; --row) {
        for (int column = 0; column < width; ++column) {
            const Rgba& pixel = bottomUpPixels[static_cast<size_t>(row) * width + column];
            const unsigned char rgb[3] = {pixel.r, pixel.g, pixel.b};
            std::fwrite(rgb, 1, sizeof rgb, file);
        }
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
    const std::vector<Rgba> pixels =
        readBackBufferRegion(0, 0, game::windowWidthPixels, game::windowHeightPixels);
    text.release();
    glDeleteVertexArrays(1, &vertexArray);
    glfwTerminate();
    return writePpm(outputPath, pixels, game::windowWidthPixels, game::windowHeightPixels) ? 0 : 1;
}
