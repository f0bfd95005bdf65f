#include "assets/DdsLoader.h"

#include <GL/glew.h>

#include <vector>

#include "assets/DdsParser.h"
#include "assets/DxtDecoder.h"
#include "assets/FileBytes.h"
#include "assets/MissingImage.h"
#include "assets/Platform.h"
#include "assets/TextureLimit.h"

static_assert(kCompressedRgbaS3tcDxt1 == GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, "DXT1 format value");
static_assert(kCompressedRgbaS3tcDxt3 == GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, "DXT3 format value");
static_assert(kCompressedRgbaS3tcDxt5 == GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, "DXT5 format value");

namespace {

// A level GL cannot take compressed goes up as the RGBA it decodes to.
void uploadDecodedLevel(const DdsTexture& texture, const DdsLevel& level) {
    const std::vector<unsigned char> rgba =
        decodeDxtLevel(texture.internalFormat, texture.data.data() + level.offset, level.size,
                       level.width, level.height);
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level.level), GL_RGBA,
                 static_cast<GLsizei>(level.width), static_cast<GLsizei>(level.height), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
}

}  // namespace

GLuint uploadDdsTexture(const DdsTexture& texture, bool compressed) {
    GLuint textureID = 0;
    glGenTextures(1, &textureID);
    glBindTexture(GL_TEXTURE_2D, textureID);
    // Left at 1 for all later uploads of the program; the BMP loader sets
    // its own alignment for its upload.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (const DdsLevel& level : texture.levels) {
        if (!compressed) {
            uploadDecodedLevel(texture, level);
            continue;
        }
        glCompressedTexImage2D(
            GL_TEXTURE_2D, static_cast<GLint>(level.level), texture.internalFormat,
            static_cast<GLsizei>(level.width), static_cast<GLsizei>(level.height), 0,
            static_cast<GLsizei>(level.size), texture.data.data() + level.offset);
    }
    // No sampling parameter: GL's default mipmapped minification suits the
    // game's files, which carry their whole chain down to 1 x 1.
    return textureID;
}

unsigned int readDdsTexture(const char* imagepath) {
    const std::optional<std::vector<unsigned char>> bytes = readFileBytes(imagepath);
    if (!bytes) {
        return reportMissingImage(imagepath);
    }
    const DdsParseResult parsed = parseDds(bytes->data(), bytes->size(), maxTextureEdgePixels());
    if (parsed.status != DdsParseStatus::Ok) {
        return 0;
    }
    return uploadDdsTexture(parsed.texture, glTakesS3tc());
}
