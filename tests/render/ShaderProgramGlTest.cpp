#include <string>

#include <glm/glm.hpp>

#include "RenderGlFixture.h"
#include "player/Player.h"
#include "render/GlContract.h"
#include "render/ShaderProgram.h"
#include "render/Transform.h"
#include "support/ConsoleCapture.h"
#include "support/VectorExpect.h"

namespace {

// A model's maps take units 1 to 3; unit 0 is the text overlay's.
constexpr int kFirstModelUnit = glcontract::diffuseUnit;
constexpr int kModelUnits = glcontract::specularUnit;

using ShaderProgramGl = RenderGlTest;

Player turnedPlayer() {
    Player player;
    player.setPosition(glm::vec3(3.0f, 1.7f, 5.0f));
    player.look(0.4f, -0.2f);
    return player;
}

// An uncompressed 24-bit BMP of 4 x 4 grey pixels.
Bytes smallBmp() {
    constexpr int kSide = 4;
    constexpr std::size_t kPixelBytes = kSide * kSide * 3;
    BmpFields fields;
    fields.width = kSide;
    fields.height = kSide;
    return bmpFile(fields, Bytes(kPixelBytes, 0x80));
}

// An 8 x 8 opaque white DXT1 texture with its whole mipmap chain (blocks of
// 8 x 8, 4 x 4, 2 x 2 and 1 x 1 pixels), padded to the twice-the-first-level
// data block that the loader reads.
Bytes smallDds() {
    constexpr std::uint32_t kSide = 8;
    constexpr std::uint32_t kLevels = 4;
    constexpr std::uint32_t kFirstLevelBytes = 4 * 8;
    constexpr std::size_t kBlocks = 4 + 1 + 1 + 1;
    DdsFields fields;
    fields.width = kSide;
    fields.height = kSide;
    fields.linearSize = kFirstLevelBytes;
    fields.mipMapCount = kLevels;
    Bytes data = repeated(dxt1Block(0xFFFF, 0x0000, 0), kBlocks);
    data.resize(2 * kFirstLevelBytes, 0);
    return ddsFile(fields, data);
}

GLuint textureOnUnit(int unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    return static_cast<GLuint>(texture);
}

GLint activeUnit() {
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    return active;
}

}  // namespace

TEST_F(ShaderProgramGl, MatricesGoUpAsProjectionViewModelProductModelViewAndViewBlock) {
    const ShaderPaths paths = writeFullShaderPair(scratch);
    ShaderProgram program(paths.vertex.c_str(), paths.fragment.c_str());
    const Player player = turnedPlayer();
    Transform transform;
    transform.setPosition(2.0f, 0.5f, -3.0f);
    transform.setRotation(0.8f, glm::vec3(0.0f, 1.0f, 0.0f));
    transform.setScale(1.0f, 0.2f, 1.0f);
    const glm::mat4& model = transform.getMatrix();
    const glm::mat4& view = player.getViewMatrix();
    const glm::mat4& projection = player.getProjectionMatrix();

    program.use();
    program.setMatrices(player, model);

    const GLuint id = program.getProgramId();
    expectMatrixNear(readMat4Uniform(id, glcontract::mvpUniform), (projection * view) * model);
    expectMatrixNear(readMat4Uniform(id, glcontract::modelUniform), model);
    expectMatrixNear(readMat4Uniform(id, glcontract::viewUniform), view);
    expectMatrixNear(readMat3Uniform(id, glcontract::modelView3x3Uniform), glm::mat3(view * model));
    program.release();
}

TEST_F(ShaderProgramGl, IdentityModelUploadsProjectionTimesViewAndTheViewsBlock) {
    const ShaderPaths paths = writeFullShaderPair(scratch);
    ShaderProgram program(paths.vertex.c_str(), paths.fragment.c_str());
    const Player player = turnedPlayer();
    program.use();
    program.setMatrices(player, glm::mat4(1.0f));

    const GLuint id = program.getProgramId();
    const glm::mat4& view = player.getViewMatrix();
    expectMatrixNear(readMat4Uniform(id, glcontract::mvpUniform),
                     player.getProjectionMatrix() * view);
    expectMatrixNear(readMat4Uniform(id, glcontract::modelUniform), glm::mat4(1.0f));
    expectMatrixNear(readMat3Uniform(id, glcontract::modelView3x3Uniform), glm::mat3(view));
    program.release();
}

TEST_F(ShaderProgramGl, ProgramWithoutTexturesUnbindsUnitsOneToThreeAndLeavesUnitThreeActive) {
    const ShaderPaths paths = writeFullShaderPair(scratch);
    ShaderProgram program(paths.vertex.c_str(), paths.fragment.c_str());
    GLuint stale[kModelUnits + 1] = {};
    glGenTextures(kModelUnits + 1, stale);
    for (int unit = 0; unit <= kModelUnits; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, stale[unit]);
    }

    program.use();
    program.bindTextures();

    EXPECT_EQ(activeUnit(), GL_TEXTURE3);
    for (int unit = kFirstModelUnit; unit <= kModelUnits; ++unit) {
        EXPECT_EQ(textureOnUnit(unit), 0u) << "unit " << unit;
    }
    EXPECT_EQ(textureOnUnit(glcontract::textAtlasUnit), stale[glcontract::textAtlasUnit])
        << "unit 0 belongs to the text overlay";
    EXPECT_EQ(readIntUniform(program.getProgramId(), glcontract::diffuseSampler),
              glcontract::diffuseUnit);
    EXPECT_EQ(readIntUniform(program.getProgramId(), glcontract::normalSampler),
              glcontract::normalUnit);
    EXPECT_EQ(readIntUniform(program.getProgramId(), glcontract::specularSampler),
              glcontract::specularUnit);
    glDeleteTextures(kModelUnits + 1, stale);
    program.release();
}

TEST_F(ShaderProgramGl, TexturesChosenByTheirEndingAreBoundToUnitsOneTwoAndThree) {
    const ShaderPaths paths = writeFullShaderPair(scratch);
    ShaderProgram program(paths.vertex.c_str(), paths.fragment.c_str());
    program.setDiffuseTexture(scratch.write("diffuse.DDS", smallDds()).c_str());
    program.setNormalTexture(scratch.write("normal.bmp", smallBmp()).c_str());
    program.setSpecularTexture(scratch.write("specular.dds", smallDds()).c_str());
    ASSERT_NE(program.getDiffuseTexture(), 0u);
    ASSERT_NE(program.getNormalTexture(), 0u);
    ASSERT_NE(program.getSpecularTexture(), 0u);

    program.use();
    program.bindTextures();

    EXPECT_EQ(activeUnit(), GL_TEXTURE3);
    EXPECT_EQ(textureOnUnit(1), program.getDiffuseTexture());
    EXPECT_EQ(textureOnUnit(2), program.getNormalTexture());
    EXPECT_EQ(textureOnUnit(3), program.getSpecularTexture());
    program.release();
}

TEST_F(ShaderProgramGl, NameWithNeitherEndingLoadsNothingAndSaysNothing) {
    const ShaderPaths paths = writeFullShaderPair(scratch);
    ShaderProgram program(paths.vertex.c_str(), paths.fragment.c_str());
    const std::string ddds = scratch.write("font.ddds", smallDds());
    const std::string bbmp = scratch.write("normal.bbmp", smallBmp());
    const ConsoleCapture console = captureConsole([&] {
        program.setDiffuseTexture(ddds.c_str());
        program.setNormalTexture(bbmp.c_str());
        program.setSpecularTexture("specular.png");
    });
    EXPECT_EQ(program.getDiffuseTexture(), 0u);
    EXPECT_EQ(program.getNormalTexture(), 0u);
    EXPECT_EQ(program.getSpecularTexture(), 0u);
    EXPECT_EQ(console.standardOutput, "");
    EXPECT_EQ(console.bytesReadFromStandardInput, 0);
    program.release();
}

TEST_F(ShaderProgramGl, SettingATextureTwiceKeepsTheSecondAndReleaseDeletesOnlyThatOne) {
    const ShaderPaths paths = writeFullShaderPair(scratch);
    ShaderProgram program(paths.vertex.c_str(), paths.fragment.c_str());
    const std::string dds = scratch.write("diffuse.DDS", smallDds());
    program.setDiffuseTexture(dds.c_str());
    const GLuint first = program.getDiffuseTexture();
    program.setDiffuseTexture(dds.c_str());
    const GLuint second = program.getDiffuseTexture();
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, first);

    // A current program is only flagged for deletion; make it not current.
    glUseProgram(0);
    program.release();

    EXPECT_FALSE(glIsProgram(program.getProgramId()));
    EXPECT_FALSE(glIsTexture(second));
    EXPECT_TRUE(glIsTexture(first));
    glDeleteTextures(1, &first);
}
