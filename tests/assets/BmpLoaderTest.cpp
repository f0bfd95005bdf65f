#include "assets/BmpLoader.h"

#include "support/GlContext.h"

#include <numeric>

#include "assets/AssetFiles.h"
#include "support/ConsoleCapture.h"

namespace {

class BmpLoader : public GlTest {
  protected:
    struct Load {
        GLuint texture = 0;
        ConsoleCapture console;
    };

    Load load(const std::string& path) {
        Load result;
        result.console = captureConsole([&] { result.texture = readBmpTexture(path.c_str()); });
        textures.push_back(result.texture);
        return result;
    }

    // Level 0 as blue-green-red bytes, rows packed tightly.
    static Bytes levelZero(GLuint texture, int width, int height) {
        Bytes pixels(static_cast<std::size_t>(width) * height * 3, 0);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        return pixels;
    }

    static GLint unpackAlignment() {
        GLint alignment = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        return alignment;
    }

    void TearDown() override {
        glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }

    void expectRefused(const Bytes& file) {
        const std::string path = dir.write("refused.bmp", file);
        const Load result = load(path);
        EXPECT_EQ(result.texture, 0u);
        EXPECT_EQ(result.console.standardOutput,
                  "Reading image " + path + "\nNot a correct BMP file\n");
        EXPECT_EQ(result.console.bytesReadFromStandardInput, 0);
    }

    ScratchDirectory dir;
    std::vector<GLuint> textures;
};

Bytes countingBytes(std::size_t count) {
    Bytes bytes(count);
    std::iota(bytes.begin(), bytes.end(), 1);
    return bytes;
}

// Drops each row's padding: what GL gives back with a pack alignment of 1.
Bytes unpadded(const Bytes& padded, int width, int height) {
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    const std::size_t stride = (row + 3) / 4 * 4;
    Bytes out;
    for (int y = 0; y < height; ++y) {
        out.insert(out.end(), padded.begin() + y * stride, padded.begin() + y * stride + row);
    }
    return out;
}

}  // namespace

TEST_F(BmpLoader, PixelsReadBackAsStoredFirstFileRowFirst) {
    const Bytes pixels = countingBytes(4 * 2 * 3);
    const std::string path = dir.write("a.bmp", bmpFile({4, 2, 24, 0, 54, 0}, pixels));
    const Load result = load(path);
    ASSERT_NE(result.texture, 0u);
    EXPECT_EQ(result.console.standardOutput, "Reading image " + path + "\n");
    EXPECT_EQ(levelZero(result.texture, 4, 2), pixels);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), result.texture);
}

TEST_F(BmpLoader, HeaderZerosStandForTheirDefaults) {
    const Bytes pixels = countingBytes(4 * 2 * 3);
    const Load sizeZero = load(dir.write("size0.bmp", bmpFile({4, 2, 24, 0, 54, 0}, pixels)));
    EXPECT_EQ(levelZero(sizeZero.texture, 4, 2), pixels);
    const Load offsetZero = load(dir.write("offset0.bmp", bmpFile({4, 2, 24, 0, 0, 24}, pixels)));
    EXPECT_EQ(levelZero(offsetZero.texture, 4, 2), pixels);
}

TEST_F(BmpLoader, LargerInfoHeaderIsReadFromTheDataOffset) {
    const Bytes pixels = countingBytes(4 * 2 * 3);
    const Load result = load(dir.write("v5.bmp", bmpFile({4, 2, 24, 0, 138, 24}, pixels)));
    EXPECT_EQ(levelZero(result.texture, 4, 2), pixels);
}

TEST_F(BmpLoader, PaddedRowsComeOutRightWhateverAlignmentIsInForce) {
    const Bytes padded = countingBytes(16 * 3);
    const std::string path = dir.write("odd.bmp", bmpFile({5, 3, 24, 0, 54, 0}, padded));
    for (const GLint alignment : {1, 4, 8}) {
        SCOPED_TRACE(alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
        const Load result = load(path);
        EXPECT_EQ(unpackAlignment(), alignment);
        EXPECT_EQ(levelZero(result.texture, 5, 3), unpadded(padded, 5, 3));
    }
}

TEST_F(BmpLoader, MipmapChainIsCompleteAndTrilinear) {
    const Load result = load(dir.write("a.bmp", bmpFile({8, 4, 24, 0, 54, 0}, countingBytes(96))));
    glBindTexture(GL_TEXTURE_2D, result.texture);
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);
    GLint minFilter = 0;
    GLint wrapS = 0;
    GLint wrapT = 0;
    GLint magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_EQ(wrapS, GL_REPEAT);
    EXPECT_EQ(wrapT, GL_REPEAT);
}

TEST_F(BmpLoader, OtherFlavoursAndBrokenHeadersAreRefusedWithTheSameMessage) {
    const Bytes pixels = countingBytes(2 * 2 * 4);
    expectRefused(bmpFile({2, 2, 32, 0, 54, 0}, pixels));
    expectRefused(bmpFile({2, 2, 24, 1, 54, 0}, pixels));
    Bytes wrongSignature = bmpFile({2, 2, 24, 0, 54, 0}, pixels);
    wrongSignature[0] = 'M';
    expectRefused(wrongSignature);
    expectRefused(Bytes(wrongSignature.begin() + 1, wrongSignature.begin() + 54));
}

TEST_F(BmpLoader, EmptyNegativeAndOverflowingSizesAreRefused) {
    const Bytes pixels = countingBytes(12);
    expectRefused(bmpFile({0, 2, 24, 0, 54, 0}, pixels));
    expectRefused(bmpFile({2, 0, 24, 0, 54, 0}, pixels));
    expectRefused(bmpFile({2, -2, 24, 0, 54, 0}, pixels));
    expectRefused(bmpFile({-2, 2, 24, 0, 54, 0}, pixels));
    // 65536 x 65536 x 3 is 2^32 x 3: wraps to 0 in 32 bits.
    expectRefused(bmpFile({65536, 65536, 24, 0, 54, 0}, pixels));
    // Wider than GL_MAX_TEXTURE_SIZE, with every pixel in the file.
    expectRefused(bmpFile({16388, 1, 24, 0, 54, 0}, Bytes(16388 * 3, 0)));
}

TEST_F(BmpLoader, MissingFileIsReportedAndWaitsForOneCharacter) {
    const std::string path = dir.missing("absent.bmp");
    const Load result = load(path);
    EXPECT_EQ(result.texture, 0u);
    EXPECT_EQ(result.console.standardOutput,
              "Reading image " + path + "\n" + path +
                  " could not be opened. Are you in the right directory ? Don't forget to read "
                  "the FAQ !\n");
    EXPECT_EQ(result.console.bytesReadFromStandardInput, 1);
}
