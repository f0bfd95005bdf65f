// The data files as the GPU sees them: textures loaded by the game's own
// loaders, and every shader pair built the way the game builds it.

#include <GL/glew.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/mat3x3.hpp>

#include "DataFiles.h"
#include "assets/BmpLoader.h"
#include "assets/DdsLoader.h"
#include "assets/DdsParser.h"
#include "assets/FileBytes.h"
#include "assets/ShaderLoader.h"
#include "assets/TextureLimit.h"
#include "player/Player.h"
#include "render/GlContract.h"
#include "render/Model.h"
#include "render/ShaderProgram.h"
#include "support/ConsoleCapture.h"
#include "support/GlContext.h"
#include "text/TextOverlay.h"

namespace {

// A texture image as GL holds it, four bytes per texel, row 0 at t = 0.
struct TexelGrid {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    const unsigned char* at(int x, int y) const {
        x = (x + width) % width;  // the textures repeat
        y = (y + height) % height;
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
    float luminance(int x, int y) const {
        const unsigned char* texel = at(x, y);
        return 0.3f * texel[0] + 0.59f * texel[1] + 0.11f * texel[2];
    }
};

// Level 0 of a texture, decompressed by GL.
TexelGrid readLevelZero(GLuint texture) {
    TexelGrid grid;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &grid.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &grid.height);
    grid.rgba.resize(static_cast<std::size_t>(grid.width) * grid.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, grid.rgba.data());
    return grid;
}

// Level 0 of one of the game's DDS files, loaded as the game loads it.
TexelGrid levelZeroOfDdsFile(const char* name) {
    const GLuint texture = readDdsTexture(dataPath(name).c_str());
    TexelGrid grid = readLevelZero(texture);
    glDeleteTextures(1, &texture);
    return grid;
}

class DataTexturesGl : public GlTest {};

// The game sets no sampling parameters, so its trilinear default filter
// samples black unless every level down to 1 x 1 is there.
TEST_F(DataTexturesGl, EveryDdsTextureHasItsWholeChainOnTheGpu) {
    for (const char* name : {"diffuse.DDS", "specular.DDS", "grad.DDS", "Holstein.DDS"}) {
        SCOPED_TRACE(name);
        const GLuint texture = readDdsTexture(dataPath(name).c_str());
        ASSERT_NE(texture, 0u);
        GLint width = 0;
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        ASSERT_GT(width, 0);
        const int levels = static_cast<int>(std::log2(std::max(width, height))) + 1;
        GLint lastWidth = 0;
        GLint lastHeight = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, levels - 1, GL_TEXTURE_WIDTH, &lastWidth);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, levels - 1, GL_TEXTURE_HEIGHT, &lastHeight);
        EXPECT_EQ(lastWidth, 1);
        EXPECT_EQ(lastHeight, 1);
        GLint compressed = GL_FALSE;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, levels - 1, GL_TEXTURE_COMPRESSED, &compressed);
        EXPECT_EQ(compressed, GL_TRUE);
        glDeleteTextures(1, &texture);
    }
}

// Where GL lacks S3TC the loader decodes every level itself, into the very
// texels this GL decodes from the compressed level.
TEST_F(DataTexturesGl, DecodedLevelsHoldTheTexelsOfTheCompressedOnes) {
    for (const char* name : {"diffuse.DDS", "specular.DDS", "grad.DDS", "Holstein.DDS"}) {
        SCOPED_TRACE(name);
        const std::vector<unsigned char> bytes = *readFileBytes(dataPath(name).c_str());
        const DdsParseResult parsed = parseDds(bytes.data(), bytes.size(), maxTextureEdgePixels());
        ASSERT_EQ(parsed.status, DdsParseStatus::Ok);
        GLuint textures[2] = {uploadDdsTexture(parsed.texture, true),
                              uploadDdsTexture(parsed.texture, false)};
        EXPECT_TRUE(readLevelZero(textures[0]).rgba == readLevelZero(textures[1]).rgba);
        glDeleteTextures(2, textures);
    }
}

constexpr int kAtlasCells = 16;
// The part of a cell that the text overlay samples, as fractions of its width.
constexpr float kStripStart = 0.3f;
constexpr float kStripEnd = 0.7f;

struct AtlasInk {
    std::map<int, int> inkByCode;  // texels with any coverage, per character cell
    int inkOutsideStrips = 0;
};

AtlasInk surveyAtlas() {
    const TexelGrid atlas = levelZeroOfDdsFile("Holstein.DDS");
    AtlasInk ink;
    const float cellWidth = static_cast<float>(atlas.width) / kAtlasCells;
    const int cellHeight = atlas.height / kAtlasCells;
    for (int y = 0; y < atlas.height; ++y) {
        for (int x = 0; x < atlas.width; ++x) {
            if (atlas.at(x, y)[3] == 0) {
                continue;
            }
            const int column = static_cast<int>(x / cellWidth);
            const float left = x - column * cellWidth;  // the texel spans left to left + 1
            if (left < kStripStart * cellWidth || left + 1.0f > kStripEnd * cellWidth) {
                ++ink.inkOutsideStrips;
            }
            ++ink.inkByCode[(y / cellHeight) * kAtlasCells + column];
        }
    }
    return ink;
}

TEST_F(DataTexturesGl, GlyphInkLiesOnlyInTheSampledStripOfEachCell) {
    const AtlasInk ink = surveyAtlas();
    EXPECT_EQ(ink.inkOutsideStrips, 0);
}

// Row 0 of the grid is the first stored row (t = 0): "A" (65) must be found
// in column 1 of row 4 counted from there, and only printable characters
// other than the space carry ink.
TEST_F(DataTexturesGl, PrintableCharactersAndNothingElseHaveGlyphsInTheirCells) {
    const AtlasInk ink = surveyAtlas();
    for (int code = 0; code < kAtlasCells * kAtlasCells; ++code) {
        const bool visible = code > ' ' && code < 127;
        const auto found = ink.inkByCode.find(code);
        const int texels = found == ink.inkByCode.end() ? 0 : found->second;
        if (visible) {
            EXPECT_GT(texels, 10) << "code " << code;
        } else {
            EXPECT_EQ(texels, 0) << "code " << code;
        }
    }
}

// The frame that the game's mesh pipeline gives the wall cube's +z face:
// tangent, bitangent and normal as the wall shader receives them.
glm::mat3 frontFaceTextureFrame() {
    const IndexedMesh cube = indexMesh(readDataMesh("cube_clean.obj"));
    for (std::size_t i = 0; i < cube.normals.size(); ++i) {
        if (cube.normals[i] == glm::vec3(0.0f, 0.0f, 1.0f)) {
            return glm::mat3(glm::normalize(cube.tangents[i]), glm::normalize(cube.bitangents[i]),
                             cube.normals[i]);
        }
    }
    return glm::mat3(0.0f);
}

float correlation(const std::vector<float>& a, const std::vector<float>& b) {
    double ab = 0.0;
    double aa = 0.0;
    double bb = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += a[i] * b[i];
        aa += a[i] * a[i];
        bb += b[i] * b[i];
    }
    return static_cast<float>(ab / std::sqrt(aa * bb));
}

// Stone stands proud of the darker mortar, so where the colour brightens the
// surface rises and the relief's normal leans the other way. Read through the
// game's loaders and the frame its mesh pipeline computes, on a face whose
// image runs right along +x and down along -y, the normal map must lean as
// the diffuse map brightens, not mirrored in either direction.
TEST_F(DataTexturesGl, NormalMapReliefFollowsTheDiffuseLayoutInTheGamesTangentFrame) {
    const TexelGrid diffuse = levelZeroOfDdsFile("diffuse.DDS");
    GLuint normalTexture = 0;
    captureConsole([&] { normalTexture = readBmpTexture(dataPath("normal.bmp").c_str()); });
    const TexelGrid relief = readLevelZero(normalTexture);
    glDeleteTextures(1, &normalTexture);
    ASSERT_EQ(diffuse.width, relief.width);
    ASSERT_EQ(diffuse.height, relief.height);

    const glm::mat3 frame = frontFaceTextureFrame();
    std::vector<float> leanRight, leanDown, darkeningRight, darkeningDown;
    for (int y = 0; y < relief.height; ++y) {
        for (int x = 0; x < relief.width; ++x) {
            const unsigned char* texel = relief.at(x, y);
            const glm::vec3 stored(texel[0], texel[1], texel[2]);
            const glm::vec3 normal = glm::normalize(frame * (stored / 127.5f - 1.0f));
            leanRight.push_back(normal.x);
            leanDown.push_back(-normal.y);
            darkeningRight.push_back(diffuse.luminance(x - 1, y) - diffuse.luminance(x + 1, y));
            darkeningDown.push_back(diffuse.luminance(x, y - 1) - diffuse.luminance(x, y + 1));
        }
    }
    EXPECT_GT(correlation(leanRight, darkeningRight), 0.4f);
    EXPECT_GT(correlation(leanDown, darkeningDown), 0.4f);
}

// The wall shader reads the shine from the diffuse map's alpha instead of
// the specular map: both must say the same, texel for texel, up to what the
// two compressions keep (the specular map's grey in 5 and 6 bits, the alpha in
// eight steps per block).
TEST_F(DataTexturesGl, DiffuseAlphaCarriesTheSpecularMapsShine) {
    const TexelGrid diffuse = levelZeroOfDdsFile("diffuse.DDS");
    const TexelGrid specular = levelZeroOfDdsFile("specular.DDS");
    ASSERT_EQ(diffuse.width, specular.width);
    ASSERT_EQ(diffuse.height, specular.height);

    const int texels = diffuse.width * diffuse.height;
    int farApart = 0;
    double totalDifference = 0.0;
    for (int y = 0; y < diffuse.height; ++y) {
        for (int x = 0; x < diffuse.width; ++x) {
            const int difference = std::abs(diffuse.at(x, y)[3] - specular.at(x, y)[0]);
            totalDifference += difference;
            farApart += difference > 24 ? 1 : 0;
        }
    }
    EXPECT_LT(totalDifference / texels, 6.0);
    EXPECT_LT(farApart, texels / 100);
}

// The four shader pairs, with what the game feeds each of them.
struct ShaderContract {
    const char* name;
    std::map<GLint, GLenum> attributes;      // location -> type
    std::map<std::string, GLenum> uniforms;  // every active uniform -> type
};

const std::vector<ShaderContract>& shaderContracts() {
    static const std::vector<ShaderContract> contracts = {
        {"StandardShading",
         {{0, GL_FLOAT_VEC3},
          {1, GL_FLOAT_VEC2},
          {2, GL_FLOAT_VEC3},
          {3, GL_FLOAT_VEC3},
          {4, GL_FLOAT_VEC3}},
         {{glcontract::mvpUniform, GL_FLOAT_MAT4},
          {glcontract::viewUniform, GL_FLOAT_MAT4},
          {glcontract::modelUniform, GL_FLOAT_MAT4},
          {glcontract::modelView3x3Uniform, GL_FLOAT_MAT3},
          {glcontract::lightPositionUniform, GL_FLOAT_VEC3},
          {glcontract::diffuseSampler, GL_SAMPLER_2D},
          {glcontract::normalSampler, GL_SAMPLER_2D}}},
        {"foodShader",
         {{0, GL_FLOAT_VEC3}, {1, GL_FLOAT_VEC2}, {2, GL_FLOAT_VEC3}},
         {{glcontract::mvpUniform, GL_FLOAT_MAT4},
          {glcontract::modelView3x3Uniform, GL_FLOAT_MAT3}}},
        {"suzanne",
         {{0, GL_FLOAT_VEC3}, {1, GL_FLOAT_VEC2}, {2, GL_FLOAT_VEC3}},
         {{glcontract::mvpUniform, GL_FLOAT_MAT4},
          {glcontract::viewUniform, GL_FLOAT_MAT4},
          {glcontract::modelUniform, GL_FLOAT_MAT4},
          {glcontract::modelView3x3Uniform, GL_FLOAT_MAT3},
          {glcontract::lightPositionUniform, GL_FLOAT_VEC3},
          {glcontract::diffuseSampler, GL_SAMPLER_2D}}},
        {"TextVertexShader",
         {{0, GL_FLOAT_VEC2}, {1, GL_FLOAT_VEC2}},
         {{glcontract::textSampler, GL_SAMPLER_2D}}},
    };
    return contracts;
}

struct BuiltPair {
    GLuint program = 0;
    std::string console;  // what the build printed
};

BuiltPair buildPair(const std::string& name) {
    BuiltPair built;
    built.console = captureConsole([&] {
                        built.program =
                            buildShaderProgram(dataPath(name + ".vertexshader").c_str(),
                                               dataPath(name + ".fragmentshader").c_str());
                    }).standardOutput;
    return built;
}

// Name and type of every active attribute or uniform of a linked program
// (the two GL queries share one signature).
std::map<std::string, GLenum> activeVariables(GLuint program, GLenum countQuery,
                                              PFNGLGETACTIVEATTRIBPROC getActive) {
    GLint count = 0;
    glGetProgramiv(program, countQuery, &count);
    std::map<std::string, GLenum> variables;
    for (GLint i = 0; i < count; ++i) {
        char name[128];
        GLint size = 0;
        GLenum type = 0;
        getActive(program, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type, name);
        variables[name] = type;
    }
    return variables;
}

class DataShadersGl : public GlTest {};

TEST_F(DataShadersGl, EveryPairLinksWithTheAttributesAndUniformsTheGameUses) {
    for (const ShaderContract& contract : shaderContracts()) {
        SCOPED_TRACE(contract.name);
        const GLuint program = buildPair(contract.name).program;
        ASSERT_NE(program, 0u);
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        ASSERT_EQ(linked, GL_TRUE);

        std::map<GLint, GLenum> attributes;
        for (const auto& [name, type] :
             activeVariables(program, GL_ACTIVE_ATTRIBUTES, glGetActiveAttrib)) {
            attributes[glGetAttribLocation(program, name.c_str())] = type;
        }
        EXPECT_EQ(attributes, contract.attributes);
        const std::map<std::string, GLenum> uniforms =
            activeVariables(program, GL_ACTIVE_UNIFORMS, glGetActiveUniform);
        EXPECT_EQ(uniforms, contract.uniforms);
        glDeleteProgram(program);
    }
}

// The compilers' logs are printed by the game but decide nothing there, so
// warnings would slip through: every log must be empty.
TEST_F(DataShadersGl, EveryPairCompilesAndLinksWithoutAWord) {
    for (const ShaderContract& contract : shaderContracts()) {
        SCOPED_TRACE(contract.name);
        const std::string name = contract.name;
        const BuiltPair built = buildPair(name);
        EXPECT_EQ(built.console, "Compiling shader : " + dataPath(name + ".vertexshader") +
                                     "\nCompiling shader : " + dataPath(name + ".fragmentshader") +
                                     "\nLinking program\n");
        glDeleteProgram(built.program);
    }
}

// A wall block drawn as the maze draws it: the wall program with the three
// wall textures, lit from half a unit in front of the eye.
class WallShadingGl : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        captureConsole([&] {
            wall = std::make_unique<Model>(dataPath("cube_clean.obj").c_str());
            program =
                std::make_unique<ShaderProgram>(dataPath("StandardShading.vertexshader").c_str(),
                                                dataPath("StandardShading.fragmentshader").c_str());
            program->setDiffuseTexture(dataPath("diffuse.DDS").c_str());
            program->setSpecularTexture(dataPath("specular.DDS").c_str());
            program->setNormalTexture(dataPath("normal.bmp").c_str());
        });
        wall->setShader(program.get());
        eye.setPosition(glm::vec3(0.0f, 1.7f, 0.0f));
        eye.look(0.0f, 0.0f);  // along +z
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glEnable(GL_CULL_FACE);
    }

    void TearDown() override {
        wall->release();
        program->release();
        glDeleteVertexArrays(1, &vertexArray);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
    }

    // Mean brightness of the middle of the window with one block straight
    // ahead, its near face `distance` units from the eye.
    float brightnessOfBlockAhead(float distance) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        wall->setLightPosition(eye.getPosition() + eye.getDirection() * 0.5f);
        wall->bind();
        const glm::vec3 centre = eye.getPosition() + glm::vec3(0.0f, 0.0f, distance + 1.0f);
        wall->drawWithMatrix(eye, glm::translate(glm::mat4(1.0f), centre));
        wall->unbind();
        constexpr int kSide = 16;
        float sum = 0.0f;
        for (const Rgba& pixel :
             readBackBufferRegion(512 - kSide / 2, 384 - kSide / 2, kSide, kSide)) {
            sum += (pixel.r + pixel.g + pixel.b) / 3.0f;
        }
        return sum / (kSide * kSide);
    }

    GLuint vertexArray = 0;
    Player eye;
    std::unique_ptr<Model> wall;
    std::unique_ptr<ShaderProgram> program;
};

// In the dark maze the carried light makes near walls bright, and some light
// that reaches everywhere keeps the far end of a corridor from going black.
TEST_F(WallShadingGl, NearWallsAreBrightAndFarWallsDimButVisible) {
    // The nearest the player comes to a pillar is 0.15 units: the light must
    // still fall on the wall there, never from behind it.
    EXPECT_GT(brightnessOfBlockAhead(0.2f), 60.0f);
    const float near = brightnessOfBlockAhead(1.5f);
    const float far = brightnessOfBlockAhead(30.0f);
    EXPECT_GT(near, 60.0f);
    EXPECT_GT(far, 10.0f);
    EXPECT_GT(near, 2.0f * far);
}

// The score line is drawn last, over a depth buffer that already holds the
// scene, with the depth test (GL_LESS) and back-face culling still on.
class ScoreTextGl : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        // The overlay opens its shaders by bare name, as the game runs in data/.
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(QUORRALITH_DATA_DIR);
        captureConsole([&] { overlay.init("Holstein.DDS"); });
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glEnable(GL_CULL_FACE);
        glClearColor(0.0f, 0.0f, 0.4f, 0.0f);
        // As if a wall stood right at the near plane in front of everything.
        glClearDepth(0.001);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);
    }

    void TearDown() override {
        overlay.release();
        glDeleteVertexArrays(1, &vertexArray);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        std::filesystem::current_path(previousDirectory);
    }

    // Bright pixels in a window-pixel rectangle (x, y from the bottom-left).
    static int brightPixels(int left, int bottom, int right, int top) {
        int bright = 0;
        for (const Rgba& pixel : readBackBufferRegion(left, bottom, right - left, top - bottom)) {
            if (pixel.r > 160 && pixel.g > 160 && pixel.b > 160) {
                ++bright;
            }
        }
        return bright;
    }

    std::filesystem::path previousDirectory;
    GLuint vertexArray = 0;
    TextOverlay overlay;
};

// The text's pixel space is 800 x 600 stretched over the 1024 x 768 window.
constexpr float kWindowPixelsPerTextPixel = 1024.0f / 800.0f;

int toWindow(int textPixels) {
    return static_cast<int>(textPixels * kWindowPixelsPerTextPixel);
}

TEST_F(ScoreTextGl, GlyphsShowOverTheSceneAndOnlyWhereTheyHaveInk) {
    // One big underscore: its ink must lie in the lower part of its quad, so
    // the atlas is neither upside down nor hidden by the scene's depth.
    overlay.draw("_", 100, 100, 200);
    const int left = toWindow(100);
    const int right = toWindow(180);
    EXPECT_GT(brightPixels(left, toWindow(100), right, toWindow(150)), 100);
    EXPECT_EQ(brightPixels(left, toWindow(150), right, toWindow(300)), 0);
    // Where the atlas is transparent the scene stays as it was.
    EXPECT_EQ(readBackBufferPixel(toWindow(140), toWindow(250)).b, 102);
}

TEST_F(ScoreTextGl, ScoreLineIsReadableAtItsPlaceAndSize) {
    overlay.draw("Points:  12/101", 10, 560, 25);
    // Every character except the spaces puts some ink into its 10 x 25 box.
    const std::string text = "Points:  12/101";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int left = toWindow(10 + 10 * static_cast<int>(i));
        const int inked = brightPixels(left, toWindow(560), toWindow(20 + 10 * static_cast<int>(i)),
                                       toWindow(585));
        if (text[i] == ' ') {
            EXPECT_EQ(inked, 0) << "character " << i;
        } else {
            EXPECT_GT(inked, 3) << "character " << i;
        }
    }
    EXPECT_EQ(brightPixels(0, toWindow(585), toWindow(200), toWindow(600)), 0);
}

}  // namespace
