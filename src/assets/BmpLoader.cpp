#include "assets/BmpLoader.h"

#include <GL/glew.h>

#include <cstdio>

#include "assets/BmpParser.h"
#include "assets/FileBytes.h"
#include "assets/MissingImage.h"
#include "assets/Platform.h"
#include "assets/TextureLimit.h"

namespace {

GLuint uploadBmpTexture(const BmpImage& image) {
    GLuint textureID = 0;
    glGenTextures(1, &textureID);
    glBindTexture(GL_TEXTURE_2D, textureID);
    // The pixel array holds rows padded as the file stores them; read them
    // that way whatever alignment the DDS loader or anyone else left, and
    // give the rest of the program back the alignment it had.
    GLint previousAlignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, static_cast<GLint>(kBmpRowAlignment));
    uploadBgrImage(image.width, image.height, image.pixels.data(), image.pixels.size());
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glGenerateMipmap(GL_TEXTURE_2D);
    return textureID;
}

}  // namespace

unsigned int readBmpTexture(const char* imagepath) {
    printf("Reading image %s\n", imagepath);
    const std::optional<std::vector<unsigned char>> bytes = readFileBytes(imagepath);
    if (!bytes) {
        return reportMissingImage(imagepath);
    }
    const std::optional<BmpImage> image =
        parseBmpImage(bytes->data(), bytes->size(), maxTextureEdgePixels());
    if (!image) {
        printf("Not a correct BMP file\n");
        return 0;
    }
    return uploadBmpTexture(*image);
}
