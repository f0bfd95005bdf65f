#include "assets/DdsLoader.h"

#include "support/GlContext.h"

#include "assets/AssetFiles.h"
#include "support/ConsoleCapture.h"

namespace {

constexpr std::uint16_t kRed565 = 0xF800;
constexpr std::uint16_t kGreen565 = 0x07E0;
constexpr std::uint16_t kBlue565 = 0x001F;
constexpr std::uint16_t kWhite565 = 0xFFFF;

struct Rgba8 {
    unsigned char r, g, b, a;
    bool operator==(const Rgba8& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

std::ostream& operator<<(std::ostream& out, const Rgba8& c) {
    return out << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}

const Rgba8 kRed{255, 0, 0, 255};
const Rgba8 kGreen{0, 255, 0, 255};
const Rgba8 kBlue{0, 0, 255, 255};
const Rgba8 kWhite{255, 255, 255, 255};

// Every pixel colour0.
Bytes solidBlock(std::uint16_t colour) {
    return dxt1Block(colour, 0, 0);
}

class DdsLoader : public GlTest {
  protected:
    struct Load {
        GLuint texture = 0;
        ConsoleCapture console;
    };

    Load load(const Bytes& file) {
        const std::string path = dir.write("t.dds", file);
        Load result;
        result.console = captureConsole([&] { result.texture = readDdsTexture(path.c_str()); });
        textures.push_back(result.texture);
        return result;
    }

    static GLint levelParameter(GLuint texture, GLint level, GLenum name) {
        glBindTexture(GL_TEXTURE_2D, texture);
        GLint value = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
        return value;
    }

    // A level decoded by GL, rows from t = 0 up.
    static std::vector<Rgba8> decoded(GLuint texture, GLint level) {
        const GLint width = levelParameter(texture, level, GL_TEXTURE_WIDTH);
        const GLint height = levelParameter(texture, level, GL_TEXTURE_HEIGHT);
        std::vector<Rgba8> pixels(static_cast<std::size_t>(width) * height);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        return pixels;
    }

    void TearDown() override {
        glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }

    // A refused file: 0, nothing printed, no wait, and no texture made (the
    // binding stays as it was).
    void expectRefusedSilently(const Bytes& file) {
        GLuint sentinel = 0;
        glGenTextures(1, &sentinel);
        textures.push_back(sentinel);
        glBindTexture(GL_TEXTURE_2D, sentinel);
        const Load result = load(file);
        EXPECT_EQ(result.texture, 0u);
        EXPECT_EQ(result.console.standardOutput, "");
        EXPECT_EQ(result.console.bytesReadFromStandardInput, 0);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), sentinel);
    }

    ScratchDirectory dir;
    std::vector<GLuint> textures;
};

}  // namespace

TEST_F(DdsLoader, FullChainOf256LevelsIsUploadedWithTheirSizes) {
    const Load result = load(ddsFile({256, 256, 32768, 9, "DXT1"}, Bytes(65536, 0)));
    ASSERT_NE(result.texture, 0u);
    EXPECT_EQ(result.console.standardOutput, "");
    const GLint sizes[] = {32768, 8192, 2048, 512, 128, 32, 8, 8, 8};
    for (GLint level = 0; level < 9; ++level) {
        SCOPED_TRACE(level);
        EXPECT_EQ(levelParameter(result.texture, level, GL_TEXTURE_COMPRESSED_IMAGE_SIZE),
                  sizes[level]);
        EXPECT_EQ(levelParameter(result.texture, level, GL_TEXTURE_WIDTH), 256 >> level);
        EXPECT_EQ(levelParameter(result.texture, level, GL_TEXTURE_HEIGHT), 256 >> level);
    }
}

TEST_F(DdsLoader, EachLevelGetsItsOwnBlocks) {
    const Bytes data = joined({repeated(solidBlock(kRed565), 4), solidBlock(kGreen565),
                               solidBlock(kBlue565), solidBlock(kWhite565), Bytes(8, 0)});
    const Load result = load(ddsFile({8, 8, 32, 4, "DXT1"}, data));
    const Rgba8 expected[] = {kRed, kGreen, kBlue, kWhite};
    for (GLint level = 0; level < 4; ++level) {
        SCOPED_TRACE(level);
        const std::vector<Rgba8> pixels = decoded(result.texture, level);
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>((8 >> level) * (8 >> level)));
        EXPECT_EQ(pixels.front(), expected[level]);
        EXPECT_EQ(pixels.back(), expected[level]);
    }
}

TEST_F(DdsLoader, FirstStoredRowOfBlocksBecomesRowZero) {
    // Index 1 (colour1, blue) for the four pixels of the block's first row.
    const Load result = load(ddsFile({4, 4, 8, 1, "DXT1"}, dxt1Block(kRed565, kBlue565, 0x55)));
    const std::vector<Rgba8> pixels = decoded(result.texture, 0);
    ASSERT_EQ(pixels.size(), 16u);
    EXPECT_EQ(pixels[0], kBlue);
    EXPECT_EQ(pixels[3], kBlue);
    EXPECT_EQ(pixels[4], kRed);
    EXPECT_EQ(pixels[15], kRed);
}

TEST_F(DdsLoader, FourCharacterCodeChoosesTheCompressedRgbaFormat) {
    const struct {
        const char* code;
        GLint format;
    } cases[] = {{"DXT1", GL_COMPRESSED_RGBA_S3TC_DXT1_EXT},
                 {"DXT3", GL_COMPRESSED_RGBA_S3TC_DXT3_EXT},
                 {"DXT5", GL_COMPRESSED_RGBA_S3TC_DXT5_EXT}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const Load result = load(ddsFile({4, 4, 16, 1, c.code}, Bytes(16, 0)));
        EXPECT_EQ(levelParameter(result.texture, 0, GL_TEXTURE_INTERNAL_FORMAT), c.format);
    }
}

TEST_F(DdsLoader, NonSquareChainGoesOnAtOnePixelHigh) {
    const Load result = load(ddsFile({8, 2, 20, 4, "DXT1"}, Bytes(40, 0)));
    const GLint widths[] = {8, 4, 2, 1};
    for (GLint level = 0; level < 4; ++level) {
        SCOPED_TRACE(level);
        EXPECT_EQ(levelParameter(result.texture, level, GL_TEXTURE_WIDTH), widths[level]);
        EXPECT_EQ(levelParameter(result.texture, level, GL_TEXTURE_HEIGHT), level == 0 ? 2 : 1);
    }
}

TEST_F(DdsLoader, OddSizedDxt5LevelTakesWholeBlocks) {
    const Load result = load(ddsFile({5, 3, 32, 1, "DXT5"}, Bytes(32, 0)));
    EXPECT_EQ(levelParameter(result.texture, 0, GL_TEXTURE_COMPRESSED_IMAGE_SIZE), 32);
    EXPECT_EQ(levelParameter(result.texture, 0, GL_TEXTURE_WIDTH), 5);
}

TEST_F(DdsLoader, NoLevelsStillGivesATextureName) {
    for (const DdsFields& fields : {DdsFields{4, 4, 8, 0, "DXT1"}, DdsFields{0, 0, 8, 3, "DXT1"}}) {
        const Load result = load(ddsFile(fields, Bytes(16, 0)));
        EXPECT_NE(result.texture, 0u);
        EXPECT_EQ(levelParameter(result.texture, 0, GL_TEXTURE_WIDTH), 0);
    }
}

TEST_F(DdsLoader, LevelsBeyondTheDataInTheFileAreNotUploaded) {
    const Load result = load(ddsFile({256, 256, 32768, 9, "DXT1"}, Bytes(40960 + 2047, 0)));
    ASSERT_NE(result.texture, 0u);
    EXPECT_EQ(levelParameter(result.texture, 1, GL_TEXTURE_COMPRESSED_IMAGE_SIZE), 8192);
    for (GLint level = 2; level < 9; ++level) {
        EXPECT_EQ(levelParameter(result.texture, level, GL_TEXTURE_WIDTH), 0) << level;
    }
}

TEST_F(DdsLoader, UnpackAlignmentIsLeftAtOne) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    load(ddsFile({4, 4, 8, 1, "DXT1"}, Bytes(8, 0)));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
}

TEST_F(DdsLoader, WrongMagicIsRefusedSilently) {
    Bytes file = ddsFile({4, 4, 8, 1, "DXT1"}, Bytes(8, 0));
    file[3] = 'X';
    expectRefusedSilently(file);
    expectRefusedSilently(bytesOf("DDS"));
}

TEST_F(DdsLoader, OtherPixelFormatsAndTexturesLargerThanGlTakesAreRefusedSilently) {
    expectRefusedSilently(ddsFile({4, 4, 8, 1, "DXT2"}, Bytes(8, 0)));
    expectRefusedSilently(ddsFile({4, 4, 64, 1, ""}, Bytes(64, 0)));
    // Wider than GL_MAX_TEXTURE_SIZE, with every block in the file.
    expectRefusedSilently(ddsFile({16388, 4, 32776, 1, "DXT1"}, Bytes(32776, 0)));
}

TEST_F(DdsLoader, MissingFileIsReportedAndWaitsForOneCharacter) {
    const std::string path = dir.missing("absent.DDS");
    Load result;
    result.console = captureConsole([&] { result.texture = readDdsTexture(path.c_str()); });
    EXPECT_EQ(result.texture, 0u);
    EXPECT_EQ(result.console.standardOutput,
              path +
                  " could not be opened. Are you in the right directory ? Don't forget to read "
                  "the FAQ !\n");
    EXPECT_EQ(result.console.bytesReadFromStandardInput, 1);
}
