#include "assets/Platform.h"

#include <GL/glew.h>

std::string inThisPlatformsDialect(const std::string& code) {
    return code;
}

bool glTakesS3tc() {
    return GLEW_EXT_texture_compression_s3tc == GL_TRUE;
}

void uploadBgrImage(int width, int height, const unsigned char* bgr, std::size_t) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_BGR, GL_UNSIGNED_BYTE, bgr);
}
