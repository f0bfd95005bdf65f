#include "assets/TextureLimit.h"

#include <GL/glew.h>

#include <algorithm>

namespace {

GLint queryMaxTextureSize() {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    return std::max(maxSize, 0);
}

}  // namespace

unsigned int maxTextureEdgePixels() {
    // The game has one context for its whole run, so the first answer holds.
    static const GLint maxSize = queryMaxTextureSize();
    return static_cast<unsigned int>(maxSize);
}
