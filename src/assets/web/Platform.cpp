#include "assets/Platform.h"

#include <GL/glew.h>
#include <emscripten/html5.h>

#include <utility>
#include <vector>

std::string inThisPlatformsDialect(const std::string& code) {
    const std::string desktopVersion = "#version 330 core";
    // The loader joins the file's lines after a line feed each, but WebGL
    // takes the directive only on the very first line.
    const std::size_t at = code.find(desktopVersion);
    if (at == std::string::npos || code.find_first_not_of(" \t\r\n") != at) {
        return code;
    }
    return "#version 300 es\nprecision highp float;\nprecision highp int;" +
           code.substr(at + desktopVersion.size());
}

bool glTakesS3tc() {
    return emscripten_webgl_enable_extension(emscripten_webgl_get_current_context(),
                                             "WEBGL_compressed_texture_s3tc") == EM_TRUE;
}

// Rows keep the padding the file gave them: the upload reads them with the
// unpack alignment the loader set for them.
void uploadBgrImage(int width, int height, const unsigned char* bgr, std::size_t size) {
    std::vector<unsigned char> rgb(bgr, bgr + size);
    const std::size_t rowBytes = size / static_cast<std::size_t>(height > 0 ? height : 1);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            unsigned char* pixel = rgb.data() + row * rowBytes + 3 * column;
            std::swap(pixel[0], pixel[2]);
        }
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
}
