#include "app/FrameStep.h"

#include <gtest/gtest.h>

#include <utility>

#include "app/GameConstants.h"
#include "app/InputSource.h"
#include "maze/Maze.h"
#include "player/Player.h"

namespace {

WindowInput windowWithCursorAt(double x, double y, bool otherKey = false) {
    WindowInput window = stillWindowAt(1.0);
    window.controls.cursorX = x;
    window.controls.cursorY = y;
    window.otherKeyPressed = otherKey;
    return window;
}

}  // namespace

TEST(FrameStep, EveryFramePushesThePlayerBackToTheMarginOfANearWall) {
    Maze maze(10, 10, seededPick(1));
    Player player;
    // In the first room, 0.05 from the face of the maze's left border at x = 1.
    player.setPosition({1.05f, 1.7f, 2.0f});
    FrameStep step(player, maze, RunSetup{}, 0.0);
    step.advance(stillWindowAt(0.0));
    EXPECT_NEAR(player.getPosition().x, 1.15f, 1e-6f);
}

// The game puts the cursor back at the centre every frame, but it cannot in
// an unfocused window, and the first frame finds it anywhere: only a cursor
// that moved since the last frame, or a key, is the player taking over.
TEST(InputSource, TheAutopilotHandsOverOnlyToAKeyOrACursorThatReallyMoved) {
    Maze maze(10, 10, seededPick(1));
    const Player player;
    const auto playedByAutopilot = [&](InputSource& inputs, const WindowInput& window) {
        return inputs.next(window, player).cursorX != window.controls.cursorX;
    };
    InputSource byCursor = InputSource::autoplay(maze.getGrid());
    EXPECT_TRUE(playedByAutopilot(byCursor, windowWithCursorAt(100, 100)));
    EXPECT_TRUE(playedByAutopilot(byCursor, windowWithCursorAt(100, 100)));
    EXPECT_FALSE(playedByAutopilot(byCursor, windowWithCursorAt(110, 100)));
    EXPECT_FALSE(playedByAutopilot(byCursor, windowWithCursorAt(100, 100)));

    // Minimised or unfocused, and on the first frame back, the cursor is not
    // the player's.
    InputSource unfocused = InputSource::autoplay(maze.getGrid());
    for (const auto& [x, focused] : {std::pair{100.0, true}, {0.0, false}, {50.0, true}}) {
        WindowInput window = windowWithCursorAt(x, 100);
        window.controls.focused = focused;
        EXPECT_TRUE(playedByAutopilot(unfocused, window)) << x;
    }

    InputSource byKey = InputSource::autoplay(maze.getGrid());
    EXPECT_FALSE(playedByAutopilot(byKey, windowWithCursorAt(100, 100, true)));
}

// A replay that ends before the run does hands the game to the player, whose
// frames go on from the replay's last time rather than jumping to the clock.
TEST(InputSource, WhenTheReplayRunsOutThePlayerGoesOnFromItsTime) {
    ControlInput first;
    first.now = 1000.0;
    first.forward = true;
    ControlInput second = first;
    second.now = 1000.5;
    second.cursorX = 7.25;
    InputSource inputs = InputSource::replay(ReplayReader::ofText(replayText(0, {first, second})));
    const Player player;

    EXPECT_EQ(inputs.next(stillWindowAt(3.0), player).now, first.now);
    const ControlInput replayed = inputs.next(stillWindowAt(3.5), player);
    EXPECT_EQ(replayed.now, second.now);
    EXPECT_EQ(replayed.cursorX, second.cursorX);
    const ControlInput played = inputs.next(stillWindowAt(3.75), player);
    EXPECT_FALSE(played.forward);
    EXPECT_EQ(played.now, second.now + 0.25);
}

// A replay made in another window is shown in this one: its recorded size
// serves only the cursor's arithmetic.
TEST(FrameStep, TheViewFitsTheWindowItIsShownInNotTheRecordedOne) {
    Maze maze(10, 10, seededPick(1));
    Player player;
    ControlInput recorded = stillWindowAt(0.0).controls;
    recorded.windowWidth = 1920;
    recorded.windowHeight = 1080;
    RunSetup replay;
    replay.replay = ReplayReader::ofText(replayText(0, {recorded}));
    FrameStep step(player, maze, std::move(replay), 0.0);
    const FrameOutcome frame = step.advance(stillWindowAt(0.0));
    EXPECT_EQ(frame.effects.viewportWidth, 1024);
    EXPECT_EQ(frame.effects.viewportHeight, 768);
    EXPECT_FLOAT_EQ(player.getAspectRatio(), 1024.0f / 768.0f);
}

// W held from the entrance: footfalls, a chime for each cube eaten on the way,
// and one bump at the wall that stops the walk (15 s cross the whole maze).
TEST(FrameStep, AWalkIsHeardStepByStepCubeByCubeUpToTheWall) {
    Maze maze(10, 10, seededPick(1));
    Player player;
    player.setPosition(game::startPosition);
    FrameStep step(player, maze, RunSetup{}, 0.0);
    int heard[3] = {};  // footfalls, chimes, bumps
    for (int frame = 0; frame <= 15 * 60; ++frame) {
        WindowInput window = stillWindowAt(frame / 60.0);
        window.controls.forward = true;
        const SoundOrders sounds = step.advance(window).sounds;
        heard[0] += sounds.footfall ? 1 : 0, heard[1] += sounds.chime, heard[2] += sounds.bump;
    }
    EXPECT_GE(step.getPoints(), 1);
    EXPECT_GT(heard[0], 2 * step.getPoints());
    EXPECT_EQ(heard[1], step.getPoints());
    EXPECT_EQ(heard[2], 1);
}
