#include <filesystem>
#include <string>

#include "render/GlContract.h"
#include "render/RenderGlFixture.h"
#include "support/HiddenWindow.h"
#include "text/TextGeometry.h"
#include "text/TextOverlay.h"

namespace {

// Maps the overlay's 800 x 600 pixel space onto the whole window.
const char* const kTextVertexShader = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 uv;
out vec2 atlasUv;
void main() {
    gl_Position = vec4(position / vec2(400.0, 300.0) - vec2(1.0), 0.0, 1.0);
    atlasUv = uv;
}
)";

const char* const kTextFragmentShader = R"(#version 330 core
in vec2 atlasUv;
uniform sampler2D myTextureSampler;
out vec4 color;
void main() { color = texture(myTextureSampler, atlasUv); }
)";

constexpr float kWindowPixelsPerTextPixel = 1024.0f / 800.0f;
constexpr std::uint32_t kAtlasSide = 256;
constexpr std::uint32_t kAtlasLevels = 9;
constexpr std::uint32_t kBlocksPerCellSide = kAtlasSide / 16 / 4;
constexpr int kCapitalA = 65;

// Level 0 holds, in the cell of the capital A, the top half of the sampled
// middle strip as opaque white; every other texel of every level is
// transparent. A glyph drawn from it shows exactly where the layout says.
bool isOpaqueBlock(int level, int bx, int by) {
    const int cellLeft = (kCapitalA % 16) * kBlocksPerCellSide;
    const int cellTop = (kCapitalA / 16) * kBlocksPerCellSide;
    return level == 0 && (bx == cellLeft + 1 || bx == cellLeft + 2) &&
           (by == cellTop || by == cellTop + 1);
}

Bytes atlasFile() {
    Bytes data;
    std::uint32_t side = kAtlasSide;
    for (std::uint32_t level = 0; level < kAtlasLevels; ++level) {
        const std::uint32_t blocks = (side + 3) / 4;
        for (std::uint32_t by = 0; by < blocks; ++by) {
            for (std::uint32_t bx = 0; bx < blocks; ++bx) {
                const bool opaque = isOpaqueBlock(static_cast<int>(level), static_cast<int>(bx),
                                                  static_cast<int>(by));
                // Four-colour mode, index 0: white. Three-colour mode (colour0
                // <= colour1), index 3: transparent black.
                const Bytes block = opaque ? dxt1Block(0xFFFF, 0x0000, 0x00000000)
                                           : dxt1Block(0x0000, 0xFFFF, 0xFFFFFFFF);
                data.insert(data.end(), block.begin(), block.end());
            }
        }
        side = side / 2;
    }
    DdsFields fields;
    fields.width = kAtlasSide;
    fields.height = kAtlasSide;
    fields.linearSize = (kAtlasSide / 4) * (kAtlasSide / 4) * 8;
    fields.mipMapCount = kAtlasLevels;
    data.resize(2 * fields.linearSize, 0);
    return ddsFile(fields, data);
}

// The overlay reads its shader pair from the working directory, so each test
// runs in its scratch directory with the pair and the atlas written there.
class TextOverlayGl : public RenderGlTest {
  protected:
    void SetUp() override {
        RenderGlTest::SetUp();
        const std::string atlas = scratch.write("atlas.DDS", atlasFile());
        scratch.write("TextVertexShader.vertexshader", std::string(kTextVertexShader));
        scratch.write("TextVertexShader.fragmentshader", std::string(kTextFragmentShader));
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(std::filesystem::path(atlas).parent_path());
        overlay.init("atlas.DDS");
    }
    void TearDown() override {
        glUseProgram(0);
        overlay.release();
        std::filesystem::current_path(previousDirectory);
    }

    TextOverlay overlay;
    std::filesystem::path previousDirectory;
};

void clearToBlue() {
    glClearColor(0.0f, 0.0f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// Pixel of the window at a point of the overlay's pixel space.
bool overlayPixelIs(float x, float y, unsigned char r, unsigned char g, unsigned char b) {
    return pixelIs(static_cast<int>(x * kWindowPixelsPerTextPixel),
                   static_cast<int>(y * kWindowPixelsPerTextPixel), r, g, b);
}

bool isWhite(float x, float y) {
    return overlayPixelIs(x, y, 255, 255, 255);
}
bool isBackground(float x, float y) {
    return overlayPixelIs(x, y, 0, 0, 102);
}

}  // namespace

TEST_F(TextOverlayGl, GlyphsShowWhereTheLayoutPutsThemAndNowhereElse) {
    ASSERT_NE(overlay.getFontTexture(), 0u);
    ASSERT_NE(overlay.getProgram(), 0u);
    clearToBlue();
    // Quads of 40 x 100: A at 100..140, B at 140..180, space at 180..220,
    // A at 220..260; y from 200 to 300, the glyph in the upper half.
    overlay.draw("AB A", 100, 200, 100);

    EXPECT_TRUE(isWhite(120.0f, 275.0f));
    EXPECT_TRUE(isWhite(102.0f, 290.0f));
    EXPECT_TRUE(isWhite(138.0f, 260.0f));
    EXPECT_TRUE(isWhite(240.0f, 275.0f));
    // The atlas is transparent in the lower half of the A's cell and in the
    // other characters' cells: blending leaves the background there.
    EXPECT_TRUE(isBackground(120.0f, 225.0f));
    EXPECT_TRUE(isBackground(160.0f, 275.0f));
    EXPECT_TRUE(isBackground(200.0f, 275.0f));
    EXPECT_TRUE(isBackground(240.0f, 225.0f));
    // Outside the quads.
    EXPECT_TRUE(isBackground(95.0f, 275.0f));
    EXPECT_TRUE(isBackground(120.0f, 305.0f));
    EXPECT_TRUE(isBackground(265.0f, 275.0f));
}

TEST_F(TextOverlayGl, BuffersHoldSixCornersPerCharacterOfTheLastDraw) {
    const char* scoreLine = "Points:   0/101";
    overlay.draw(scoreLine, 10, 560, 25);
    constexpr int kCornerBytes = 8;
    EXPECT_EQ(bufferSize(overlay.getVertexBuffer()), 15 * 6 * kCornerBytes);
    EXPECT_EQ(bufferSize(overlay.getUvBuffer()), 15 * 6 * kCornerBytes);
    const TextGeometry expected = buildTextGeometry(scoreLine, 10, 560, 25);
    EXPECT_EQ(readBuffer<glm::vec2>(overlay.getVertexBuffer()), expected.vertices);
    EXPECT_EQ(readBuffer<glm::vec2>(overlay.getUvBuffer()), expected.UVs);

    overlay.draw("ab", 10, 560, 25);
    EXPECT_EQ(bufferSize(overlay.getVertexBuffer()), 2 * 6 * kCornerBytes);
}

TEST_F(TextOverlayGl, EmptyTextDrawsNothingAndLeavesTheBuffersAlone) {
    overlay.draw("AAA", 100, 200, 100);
    const int previousSize = bufferSize(overlay.getVertexBuffer());
    clearToBlue();
    clearGlErrors();
    overlay.draw("", 100, 200, 100);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(bufferSize(overlay.getVertexBuffer()), previousSize);
    EXPECT_TRUE(isBackground(120.0f, 275.0f));
}

TEST_F(TextOverlayGl, DrawTurnsBlendingOffAgainAndLeavesTheAtlasOnUnitZero) {
    glActiveTexture(GL_TEXTURE3);
    overlay.draw("A", 10, 10, 25);

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    for (GLuint location : {0u, 1u}) {
        GLint enabled = -1;
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        EXPECT_EQ(enabled, GL_FALSE) << "attribute " << location;
    }
    GLint active = 0;
    GLint texture = 0;
    GLint program = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(active, GL_TEXTURE0 + glcontract::textAtlasUnit);
    EXPECT_EQ(static_cast<GLuint>(texture), overlay.getFontTexture());
    EXPECT_EQ(static_cast<GLuint>(program), overlay.getProgram());
    EXPECT_EQ(readIntUniform(overlay.getProgram(), glcontract::textSampler),
              glcontract::textAtlasUnit);
}

TEST_F(TextOverlayGl, ReleaseDeletesBuffersAtlasAndProgram) {
    overlay.draw("A", 10, 10, 25);
    glUseProgram(0);
    overlay.release();
    EXPECT_FALSE(glIsBuffer(overlay.getVertexBuffer()));
    EXPECT_FALSE(glIsBuffer(overlay.getUvBuffer()));
    EXPECT_FALSE(glIsTexture(overlay.getFontTexture()));
    EXPECT_FALSE(glIsProgram(overlay.getProgram()));
    // TearDown releases again: deleting names that are gone is ignored by GL.
}
