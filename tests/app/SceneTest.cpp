#include "app/Scene.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <glm/trigonometric.hpp>

#include "GameDataGlTest.h"
#include "app/FrameStep.h"
#include "app/Game.h"
#include "app/GameConstants.h"
#include "app/ScenePlacement.h"
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
// than nearestRestFromAWall. Seen from there, looking within a few degrees of
// its edge, the pillar fills the whole view: none of it may be clipped away to
// show the void behind it.
TEST_F(SceneTest, PillarTouchingTheRoomOnlyAtItsCornerFillsTheViewFromTheNearestRest) {
    setFixedGlState();
    std::unique_ptr<Scene> scene;
    captureConsole([&scene] { scene = std::make_unique<Scene>(10, 10); });
    // Room (1, 1) open on both sides of the pillar at (2, 2), whose corner
    // stands at x = z = 3.
    scene->mmesh.getGrid().setCell(1, 2, CellCode::openFloor);
    scene->mmesh.getGrid().setCell(2, 1, CellCode::openFloor);
    const float gap = nearestRestFromAWall / std::sqrt(2.0f);
    for (const float yawDegrees : {40.0f, 45.0f, 50.0f}) {
        scene->cam.setPosition(glm::vec3(3.0f - gap, 1.7f, 3.0f - gap));
        scene->cam.look(glm::radians(yawDegrees) - scene->cam.getHorizontalAngle(), 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene->draw();
        int voidPixels = 0;
        for (const Rgba& pixel :
             readBackBufferRegion(0, 0, game::windowWidthPixels, game::windowHeightPixels)) {
            voidPixels += pixel.r == 0 && pixel.g == 0 && pixel.b == 102 ? 1 : 0;
        }
        EXPECT_EQ(voidPixels, 0) << "yaw " << yawDegrees;
    }
    scene->release();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

// A whole run that plays itself, stepped at a steady 60 frames a second by
// the game's own frame step, and its last frame drawn as the game draws it:
// the score line's pixels read "Points: 101/101", not one food cube fewer.
// Once the autopilot has turned to face the sculpture, the view shows all of
// it, lit by the lamp the player carries: of the pixels that drawing it
// changes, none lies on the window's edge, over a twentieth of the window,
// bright (0.6; 0.16 unlit). Stopping 0.8 units from it, its cup filled 86 %.
TEST_F(SceneTest, AnAutoplayedRunEndsShowingEveryFoodCubeEatenAndTheWholeSculptureLit) {
    setFixedGlState();
    std::unique_ptr<Scene> scene;
    captureConsole([&scene] { scene = std::make_unique<Scene>(10, 10, seededPick(7)); });
    RunSetup autoplay;
    autoplay.autoplay = true;
    FrameStep step(scene->cam, scene->mmesh, std::move(autoplay), 0.0);
    FrameOutcome last;
    for (int frame = 0, settling = 60; settling > 0 && frame < 60 * 600; ++frame) {
        last = step.advance(stillWindowAt(frame / 60.0));
        settling -= step.autopilotHasArrived() ? 1 : 0;
    }
    // The line's glyphs, 25 pixels of 800 x 600 high at y = 560, drawn over
    // the last frame as the game draws it.
    const auto scoreCornerWith = [&scene, &last](const std::string& line) {
        FrameOutcome frame = last;
        frame.scoreLine = line;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        sceneDrawing (*scene)(frame);
        std::vector<unsigned char> bytes;
        for (const Rgba& pixel : readBackBufferRegion(0, 700, 520, 60)) {
            bytes.insert(bytes.end(), {pixel.r, pixel.g, pixel.b});
        }
        return bytes;
    };
    const std::vector<unsigned char> shown = scoreCornerWith(last.scoreLine);
    EXPECT_TRUE(shown == scoreCornerWith("Points: 101/101"));
    EXPECT_FALSE(shown == scoreCornerWith("Points: 100/101"));
    const auto drawn = [&scene](bool withSculpture) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene->mmesh.setLightPosition(lightPositionFor(scene->cam));
        withSculpture ? scene->draw() : scene->mmesh.draw(scene->cam);
        return readBackBufferRegion(0, 0, game::windowWidthPixels, game::windowHeightPixels);
    };
    const std::vector<Rgba> without = drawn(false);
    const std::vector<Rgba> with = drawn(true);
    int sculpturePixels = 0;
    int onTheEdge = 0;
    double brightness = 0.0;
    for (size_t i = 0; i < with.size(); ++i) {
        const Rgba& p = with[i];
        const int x = static_cast<int>(i) % game::windowWidthPixels;
        const int y = static_cast<int>(i) / game::windowWidthPixels;
        const bool sculpture = p.r != without[i].r || p.g != without[i].g || p.b != without[i].b;
        sculpturePixels += sculpture;
        onTheEdge += sculpture && (x % (game::windowWidthPixels - 1) == 0 ||
                                   y % (game::windowHeightPixels - 1) == 0);
        brightness += sculpture ? std::max({p.r, p.g, p.b}) / 255.0 : 0.0;
    }
    EXPECT_EQ(onTheEdge, 0);
    EXPECT_GT(sculpturePixels, static_cast<int>(with.size() / 20));
    EXPECT_GT(brightness / sculpturePixels, 0.4);
    scene->release();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}
