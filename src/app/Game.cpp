#include "app/Game.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "app/ApplyControls.h"
#include "app/FrameStep.h"
#include "app/GameConstants.h"
#include "app/Platform.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "sound/SoundOutput.h"

namespace {

// --at: where a bench wants the eye before the first frame.
void placePlayer(Player& player, const StartView& view) {
    player.setPosition(view.position);
    player.look(view.yawRadians - player.getHorizontalAngle(), view.pitchRadians);
}

}  // namespace

DrawFrame sceneDrawing(Scene& scene) {
    return [&scene](const FrameOutcome& frame) {
        scene.draw();
        scene.drawScoreLine(frame.scoreLine.c_str());
    };
}

GameWindow openGameWindow(bool fullscreen) {
    GameWindow opened;
    opened.window = initWindow(fullscreen);
    if (opened.window != nullptr) {
        glGenVertexArrays(1, &opened.vertexArray);
        glBindVertexArray(opened.vertexArray);
    }
    return opened;
}

void closeGameWindow(GameWindow& opened) {
    glDeleteVertexArrays(1, &opened.vertexArray);
    glfwTerminate();
    opened = GameWindow{};
}

std::optional<FrameOutcome> presentFrame(GameWindow& opened, FrameStep& step,
                                         const DrawFrame& draw) {
    GLFWwindow* window = opened.window;
    if (waitWhileMinimised(window)) {
        step.resumeAfterPause(glfwGetTime());
    }
    const FrameOutcome frame = step.advance(readWindowInput(window, opened.cursorRest));
    if (!frame.goesOn) {
        return std::nullopt;
    }
    printFrameConsole(frame);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    applyControlEffects(window, frame.effects, opened.cursorRest);
    draw(frame);
    glfwSwapBuffers(window);
    glfwPollEvents();
    return frame;
}

int runGame(const GameOptions& options, RunSetup setup,
            const std::function<void(GameRun&)>& drive) {
    GameWindow opened = openGameWindow(options.fullscreen);
    if (opened.window == nullptr) {
        return -1;
    }
    const std::optional<std::uint32_t> seed = setup.seed;
    Scene scene(game::roomRows, game::roomColumns,
                seed ? seededPick(*seed) : PickFunction(randomInt));
    if (options.startView) {
        placePlayer(scene.cam, *options.startView);
    }
    FrameStep step(scene.cam, scene.mmesh, std::move(setup), glfwGetTime());
    SoundOutput sound;
    startPlatformSound(sound, options);
    GameRun run{opened, scene, step, sound};
    drive(run);
    const bool recordedWhole = step.finishRecording();

    sound.release();
    scene.release();
    closeGameWindow(opened);
    return recordedWhole ? 0 : recordingFailedExitCode;
}

int playGame(const GameOptions& options, RunSetup setup) {
    return runGame(options, std::move(setup),
                   [](GameRun& run) { driveFrames(run, sceneDrawing(run.scene)); });
}
