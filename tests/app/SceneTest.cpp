#include "app/Scene.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <glm/geometric.hpp>
#include <glm/matrix.hpp>
#include <glm/trigonometric.hpp>

#include "GameDataGlTest.h"
#include "app/GameConstants.h"
#include "app/Window.h"
#include "player/Controls.h"
#include "support/BackBuffer.h"
#include "support/ConsoleCapture.h"

namespace {

class SceneTest : public GameDataGlTest {};

// Positions of each line in the console output, in the order given; -1 where
// a line is missing.
std::vector<long> positionsOf(const std::string& console, const std::vector<std::string>& lines) {
    std::vector<long> positions;
    size_t from = 0;
    for (const std::string& line : lines) {
        const size_t at = console.find(line, from);
        positions.push_back(at == std::string::npos ? -1 : static_cast<long>(at));
        from = at == std::string::npos ? from : at + line.size();
    }
    return positions;
}

}  // namespace

TEST_F(SceneTest, IsBuiltInOrderFromTheGamesFilesWithoutWaitingForInput) {
    const ConsoleCapture console = captureConsole([] {
        Scene scene(10, 10);
        scene.release();
    });
    const std::vector<std::string> expectedInOrder = {
        "Loading OBJ file cube_clean.obj...\n",
        "Compiling shader : StandardShading.vertexshader\n",
        "Reading image normal.bmp\n",
        "Loading OBJ file cube_clean.obj...\n",
        "Compiling shader : foodShader.vertexshader\n",
        "Loading OBJ file suzanne.obj...\n",
        "Compiling shader : suzanne.vertexshader\n",
        "Compiling shader : TextVertexShader.vertexshader\n",
    };
    for (const long position : positionsOf(console.standardOutput, expectedInOrder)) {
        EXPECT_GE(position, 0) << console.standardOutput;
    }
    // Every file is there: no loader stopped to wait for a key.
    EXPECT_EQ(console.bytesReadFromStandardInput, 0);
    EXPECT_EQ(console.standardOutput.find("could not be opened"), std::string::npos);
    EXPECT_EQ(console.standardOutput.find("Impossible to open"), std::string::npos);
}

TEST_F(SceneTest, ReleaseLeavesNoBufferTextureOrProgramBehind) {
    {
        const ConsoleCapture console = captureConsole([] {
            Scene scene(10, 10);
            scene.draw();
            scene.drawScoreLine("Points:   0/101");
            scene.release();
        });
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << console.standardOutput;
    }
    // The text program is still current after the last draw, and GL keeps a
    // current program alive until it stops being current.
    glUseProgram(0);
    // GL hands out small names from 1 upwards; none of those the scene made
    // may still name a live object once it is released.
    for (GLuint name = 1; name < 256; ++name) {
        EXPECT_FALSE(glIsBuffer(name)) << "buffer " << name;
        EXPECT_FALSE(glIsTexture(name)) << "texture " << name;
        EXPECT_FALSE(glIsProgram(name)) << "program " << name;
    }
}

// A pillar that touches the player's room only at its corner never pushes the
// player back; the controls refuse only a step that would end nearer to it
// than nearestRestFromAWall. From there, any ray that heads into the pillar's
// quarter by more than a few degrees on both axes meets it within a few
// hundredths of a unit, at the eye's height: its pixel must show stone, never
// the void behind a pillar clipped away. Looked at up, down and level, in the
// game's window and in one eight times as wide as it is high.
TEST_F(SceneTest, PillarTouchingTheRoomOnlyAtItsCornerFillsItsQuarterOfTheViewFromTheNearestRest) {
    setFixedGlState();
    std::unique_ptr<Scene> scene;
    captureConsole([&scene] { scene = std::make_unique<Scene>(10, 10); });
    // Room (1, 1) open on both sides of the pillar at (2, 2), whose corner
    // stands at x = z = 3.
    scene->mmesh.getGrid().setCell(1, 2, CellCode::openFloor);
    scene->mmesh.getGrid().setCell(2, 1, CellCode::openFloor);
    const float gap = nearestRestFromAWall / std::sqrt(2.0f);
    Player& eye = scene->cam;
    eye.setPosition(glm::vec3(3.0f - gap, 1.7f, 3.0f - gap));
    const int width = game::windowWidthPixels;
    const int height = game::windowHeightPixels;
    for (const float aspectRatio : {4.0f / 3.0f, 8.0f}) {
        for (const float yawDegrees : {30.0f, 45.0f, 60.0f}) {
            for (const float pitchDegrees : {-60.0f, 0.0f, 60.0f}) {
                eye.setAspectRatio(aspectRatio);
                eye.look(glm::radians(yawDegrees) - eye.getHorizontalAngle(),
                         glm::radians(pitchDegrees) - eye.getVerticalAngle());
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                scene->draw();
                const glm::mat4 toWorld =
                    glm::inverse(eye.getProjectionMatrix() * eye.getViewMatrix());
                const std::vector<Rgba> pixels = readBackBufferRegion(0, 0, width, height);
                int voidPixels = 0;
                for (int i = 0; i < width * height; ++i) {
                    const glm::vec4 far =
                        toWorld * glm::vec4((i % width + 0.5f) / width * 2.0f - 1.0f,
                                            (i / width + 0.5f) / height * 2.0f - 1.0f, 1.0f, 1.0f);
                    const glm::vec3 ray =
                        glm::normalize(glm::vec3(far) / far.w - eye.getPosition());
                    const bool meetsThePillar = ray.x > 0.1f && ray.z > 0.1f;
                    const Rgba& pixel = pixels[i];
                    voidPixels += meetsThePillar && pixel.r == 0 && pixel.g == 0 && pixel.b == 102;
                }
                EXPECT_EQ(voidPixels, 0) << "aspect ratio " << aspectRatio << ", yaw " << yawDegrees
                                         << ", pitch " << pitchDegrees;
            }
        }
    }
    scene->release();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}
