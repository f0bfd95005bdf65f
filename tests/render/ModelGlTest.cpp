#include <algorithm>
#include <memory>
#include <string>

#include <glm/glm.hpp>

#include "RenderGlFixture.h"
#include "player/Player.h"
#include "render/GlContract.h"
#include "render/Model.h"
#include "render/ShaderProgram.h"
#include "render/Transform.h"
#include "support/ConsoleCapture.h"
#include "support/HiddenWindow.h"

namespace {

using ModelGl = RenderGlTest;

constexpr int kCubeVertices = 24;
constexpr int kCubeIndices = 36;
constexpr int kVec3Bytes = 12;
constexpr int kVec2Bytes = 8;
constexpr int kIndexBytes = 2;
constexpr int kWindowCentreX = 512;
constexpr int kWindowCentreY = 384;

std::string writeCube(const ScratchDirectory& scratch) {
    return scratch.write("cube.obj", cubeObjText());
}

// Five units in front of a model at the origin, looking at it.
Player playerFacingOrigin() {
    Player player;
    player.setPosition(glm::vec3(0.0f, 0.0f, -5.0f));
    player.look(0.0f, 0.0f);
    return player;
}

void clearToBlack() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void drawOnce(const Model& model, const Player& player) {
    model.bind();
    model.draw(player);
    model.unbind();
}

// A model wired to a program and a transform of its own, as the scene wires
// each model.
struct PlacedModel {
    PlacedModel(const ShaderPaths& shaders, const std::string& objPath)
        : program(shaders.vertex.c_str(), shaders.fragment.c_str()), model(objPath.c_str()) {
        model.setShader(&program);
        model.setTransform(&transform);
    }
    PlacedModel(const PlacedModel&) = delete;
    PlacedModel& operator=(const PlacedModel&) = delete;

    void release() {
        model.release();
        program.release();
    }

    ShaderProgram program;
    Transform transform;
    Model model;
};

std::vector<GLuint> buffersOf(const Mesh& mesh) {
    return {mesh.getPositionBuffer(), mesh.getUvBuffer(),        mesh.getNormalBuffer(),
            mesh.getTangentBuffer(),  mesh.getBitangentBuffer(), mesh.getElementBuffer()};
}

GLint attributeParameter(GLuint location, GLenum parameter) {
    GLint value = -1;
    glGetVertexAttribiv(location, parameter, &value);
    return value;
}

// An OBJ of `triangles` triangles whose corners are all different, along a line.
std::string distinctTrianglesObj(int triangles) {
    std::string text = "vt 0 0\nvn 0 0 1\n";
    for (int i = 0; i < 3 * triangles; ++i) {
        text += "v " + std::to_string(0.02 * i) + " 0 0\n";
    }
    for (int i = 0; i < triangles; ++i) {
        text += "f";
        for (int corner = 1; corner <= 3; ++corner) {
            text += " " + std::to_string(3 * i + corner) + "/1/1";
        }
        text += "\n";
    }
    return text;
}

}  // namespace

TEST_F(ModelGl, CubeWithSharedDiagonalsUploadsTwentyFourVerticesAndThirtySixShortIndices) {
    Model model(writeCube(scratch).c_str());
    const Mesh& mesh = model.getMesh();

    EXPECT_EQ(bufferSize(mesh.getPositionBuffer()), kCubeVertices * kVec3Bytes);
    EXPECT_EQ(bufferSize(mesh.getUvBuffer()), kCubeVertices * kVec2Bytes);
    EXPECT_EQ(bufferSize(mesh.getNormalBuffer()), kCubeVertices * kVec3Bytes);
    EXPECT_EQ(bufferSize(mesh.getTangentBuffer()), kCubeVertices * kVec3Bytes);
    EXPECT_EQ(bufferSize(mesh.getBitangentBuffer()), kCubeVertices * kVec3Bytes);
    EXPECT_EQ(bufferSize(mesh.getElementBuffer()), kCubeIndices * kIndexBytes);

    const std::vector<std::uint16_t> indices = readBuffer<std::uint16_t>(mesh.getElementBuffer());
    EXPECT_EQ(indices, mesh.getIndices());
    EXPECT_LT(*std::max_element(indices.begin(), indices.end()), kCubeVertices);
    EXPECT_EQ(readBuffer<glm::vec3>(mesh.getPositionBuffer()), mesh.getVertexPositions());

    // The loader flips v, so the file's (1, 1) arrives as (1, -1).
    const std::vector<glm::vec2> uvs = readBuffer<glm::vec2>(mesh.getUvBuffer());
    EXPECT_NE(std::find(uvs.begin(), uvs.end(), glm::vec2(1.0f, -1.0f)), uvs.end());

    // The two diagonal corners of each face carry the sum of two unit
    // tangents; the other two corners one tangent each.
    const std::vector<glm::vec3> tangents = readBuffer<glm::vec3>(mesh.getTangentBuffer());
    const auto doubled = std::count_if(tangents.begin(), tangents.end(), [](const glm::vec3& t) {
        return std::abs(glm::length(t) - 2.0f) < 1e-4f;
    });
    EXPECT_EQ(doubled, 12);
    model.release();
}

TEST_F(ModelGl, BindPointsAttributesZeroToFourAtTheModelsBuffersAndUnbindDisablesThem) {
    PlacedModel placed(writeFullShaderPair(scratch), writeCube(scratch));
    const Model& model = placed.model;
    const Mesh& mesh = model.getMesh();
    const GLuint buffers[glcontract::modelAttributeCount] = {
        mesh.getPositionBuffer(), mesh.getUvBuffer(), mesh.getNormalBuffer(),
        mesh.getTangentBuffer(), mesh.getBitangentBuffer()};
    const GLint components[glcontract::modelAttributeCount] = {3, 2, 3, 3, 3};

    model.bind();
    for (GLuint location = 0; location < glcontract::modelAttributeCount; ++location) {
        EXPECT_EQ(attributeParameter(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED), GL_TRUE);
        EXPECT_EQ(attributeParameter(location, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING),
                  static_cast<GLint>(buffers[location]));
        EXPECT_EQ(attributeParameter(location, GL_VERTEX_ATTRIB_ARRAY_SIZE), components[location]);
        EXPECT_EQ(attributeParameter(location, GL_VERTEX_ATTRIB_ARRAY_TYPE), GL_FLOAT);
    }
    GLint elementBuffer = 0;
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elementBuffer);
    EXPECT_EQ(elementBuffer, static_cast<GLint>(mesh.getElementBuffer()));

    model.unbind();
    for (GLuint location = 0; location < glcontract::modelAttributeCount; ++location) {
        EXPECT_EQ(attributeParameter(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED), GL_FALSE);
    }
    placed.release();
}

TEST_F(ModelGl, TwoModelsFromOneFileOwnTheirBuffersAndOneOutlivesTheOthersRelease) {
    const std::string cube = writeCube(scratch);
    PlacedModel placed(writeRedShaderPair(scratch), cube);
    Model& first = placed.model;
    Model second(cube.c_str());
    second.setShader(&placed.program);
    second.setTransform(&placed.transform);
    const std::vector<GLuint> firstBuffers = buffersOf(first.getMesh());
    const std::vector<GLuint> secondBuffers = buffersOf(second.getMesh());
    for (GLuint buffer : firstBuffers) {
        EXPECT_EQ(std::count(secondBuffers.begin(), secondBuffers.end(), buffer), 0);
    }

    first.release();
    for (GLuint buffer : firstBuffers) {
        EXPECT_FALSE(glIsBuffer(buffer));
    }
    clearToBlack();
    drawOnce(second, playerFacingOrigin());
    EXPECT_TRUE(pixelIs(kWindowCentreX, kWindowCentreY, 255, 0, 0));
    // Well off the cube's silhouette nothing was drawn.
    EXPECT_TRUE(pixelIs(20, 20, 0, 0, 0));
    second.release();
    placed.program.release();
}

TEST_F(ModelGl, DrawUploadsTheSameMatricesAsDrawWithTheTransformsMatrix) {
    PlacedModel placed(writeFullShaderPair(scratch), writeCube(scratch));
    const Model& model = placed.model;
    const Transform& transform = placed.transform;
    placed.transform.setPosition(1.0f, 2.0f, 3.0f);
    placed.transform.setRotation(0.5f, glm::vec3(0.0f, 1.0f, 0.0f));
    const Player player = playerFacingOrigin();
    const GLuint id = placed.program.getProgramId();

    model.bind();
    model.drawWithMatrix(player, transform.getMatrix());
    const glm::mat4 mvpWithMatrix = readMat4Uniform(id, glcontract::mvpUniform);
    model.drawWithMatrix(player, glm::mat4(1.0f));
    EXPECT_EQ(readMat4Uniform(id, glcontract::modelUniform), glm::mat4(1.0f));
    model.draw(player);
    EXPECT_EQ(readMat4Uniform(id, glcontract::mvpUniform), mvpWithMatrix);
    EXPECT_EQ(readMat4Uniform(id, glcontract::modelUniform), transform.getMatrix());
    model.unbind();
    placed.release();
}

TEST_F(ModelGl, LightPositionTakesEffectAtTheNextBind) {
    PlacedModel placed(writeFullShaderPair(scratch), writeCube(scratch));
    Model& model = placed.model;
    const Player player = playerFacingOrigin();
    const GLuint id = placed.program.getProgramId();
    EXPECT_EQ(model.getLightPosition(), glm::vec3(0.0f));

    model.setLightPosition(glm::vec3(1.0f, 2.0f, 3.0f));
    model.bind();
    model.setLightPosition(glm::vec3(7.0f, 8.0f, 9.0f));
    model.draw(player);
    EXPECT_EQ(readVec3Uniform(id, glcontract::lightPositionUniform), glm::vec3(1.0f, 2.0f, 3.0f));
    model.unbind();
    model.bind();
    EXPECT_EQ(readVec3Uniform(id, glcontract::lightPositionUniform), glm::vec3(7.0f, 8.0f, 9.0f));
    model.unbind();
    placed.release();
}

TEST_F(ModelGl, ObjWithoutFacesBuildsAnEmptyModelThatDrawsNothing) {
    PlacedModel placed(writeRedShaderPair(scratch),
                       scratch.write("empty.obj", "# nothing but vertices\nv 0 0 0\n"));
    const Model& model = placed.model;
    EXPECT_TRUE(model.getMesh().getIndices().empty());
    for (GLuint buffer : buffersOf(model.getMesh())) {
        EXPECT_TRUE(glIsBuffer(buffer));
        EXPECT_EQ(bufferSize(buffer), 0);
    }

    clearGlErrors();
    clearToBlack();
    drawOnce(model, playerFacingOrigin());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(pixelIs(kWindowCentreX, kWindowCentreY, 0, 0, 0));
    placed.release();
}

// At a small limit: the indexing's merge search is quadratic, and a mesh over
// the game's own 65,536 vertices took seconds to refuse.
TEST_F(ModelGl, MeshOverItsVertexLimitIsBuiltEmptyWithAMessage) {
    constexpr std::size_t kVertexLimit = 5;
    const std::string path = scratch.write("six-corners.obj", distinctTrianglesObj(2));
    std::unique_ptr<Mesh> mesh;
    const ConsoleCapture console =
        captureConsole([&] { mesh = std::make_unique<Mesh>(path.c_str(), kVertexLimit); });
    ASSERT_NE(mesh, nullptr);
    EXPECT_NE(console.standardOutput.find("six-corners.obj has more than 5 distinct vertices"),
              std::string::npos)
        << console.standardOutput;
    EXPECT_TRUE(mesh->getIndices().empty());
    EXPECT_EQ(bufferSize(mesh->getElementBuffer()), 0);
    EXPECT_EQ(bufferSize(mesh->getPositionBuffer()), 0);
    mesh->deleteBuffers();
}

TEST_F(ModelGl, ProgramThatDidNotBuildSaysSoAtSetUpAndItsModelDrawsNothingWithoutAGlError) {
    const std::string cube = writeCube(scratch);
    const ShaderPaths red = writeRedShaderPair(scratch);
    const std::string broken = scratch.write("broken.vertexshader", "void main() { no; }\n");
    for (const std::string& vertex : {scratch.missing("absent.vertexshader"), broken}) {
        std::unique_ptr<PlacedModel> placed;
        const ConsoleCapture console = captureConsole([&] {
            placed = std::make_unique<PlacedModel>(ShaderPaths{vertex, red.fragment}, cube);
        });
        EXPECT_NE(console.standardOutput.find("The program of " + vertex + " did not build"),
                  std::string::npos);
        clearGlErrors();
        drawOnce(placed->model, playerFacingOrigin());
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        placed->release();
    }
}
