#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <iterator>
#include <limits>
#include <random>

#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

#include "maze/Maze.h"
#include "player/Controls.h"
#include "player/Player.h"
#include "support/GridPicture.h"
#include "support/VectorExpect.h"

namespace {
constexpr int windowWidth = 1024;
constexpr int windowHeight = 768;
constexpr double centreX = 512.0;
constexpr double centreY = 384.0;
constexpr double tenthOfASecond = 0.1;

int alwaysNewest(int lo, int) {
    return lo;
}

bool solidAt(const MazeGrid& grid, const glm::vec3& p) {
    return isSolid(grid.cellAt(cellIndexOf(p.z), cellIndexOf(p.x)));
}

// The 2 x 2 worked example: entrance (0, 1), rooms at x = 2, 6 and z = 2, 6,
// open slots (1, 2), (2, 3), (3, 2), exit opening (4, 3) at x = 6, z = 8.
//   w0wyw
//   xo0ox
//   wyw0w
//   xo0ox
//   wywow
class Controls : public testing::Test {
  protected:
    Maze maze{2, 2, alwaysNewest};
    Player player;
    ControlClock clock;
    double now = 10.0;

    ControlInput frameInput() const {
        ControlInput input;
        input.now = now;
        input.cursorX = centreX;
        input.cursorY = centreY;
        input.windowWidth = windowWidth;
        input.windowHeight = windowHeight;
        return input;
    }

    // Puts the player somewhere and runs the first step, which only looks.
    void startAt(const glm::vec3& position) {
        player.setPosition(position);
        stepControls(clock, frameInput(), player, maze);
    }

    ControlEffects step(ControlInput input, double seconds) {
        now += seconds;
        input.now = now;
        return stepControls(clock, input, player, maze);
    }

    // One frame as the game runs it: controls, then the push from the walls.
    void frame(const ControlInput& input, double seconds) {
        step(input, seconds);
        player.setPosition(player.getPosition() + wallCorrection(player.getPosition(), maze));
    }

    bool standsInSolidCell() const { return solidAt(maze.getGrid(), player.getPosition()); }

    ControlInput forward() const {
        ControlInput input = frameInput();
        input.forward = true;
        return input;
    }
};

constexpr int stepSamples = 1000;

// Whether one of `stepSamples` evenly spaced points of the step, each moved
// by up to `nudge` along x and z, lies in a solid cell.
bool sampledStepTouchesWall(const MazeGrid& grid, glm::vec3 from, glm::vec3 to, float nudge) {
    for (int i = 0; i < (stepSamples + 1) * 9; ++i) {
        const glm::vec3 nudged(nudge * static_cast<float>(i % 3 - 1), 0.0f,
                               nudge * static_cast<float>(i / 3 % 3 - 1));
        if (solidAt(grid,
                    from + (to - from) * (static_cast<float>(i / 9) / stepSamples) + nudged)) {
            return true;
        }
    }
    return false;
}
}  // namespace

TEST(StepEntersWall, RefusesExactlyTheStepsWhosePathTouchesASolidCell) {
    std::mt19937 engine(2026);
    std::uniform_real_distribution<float> place(-1.5f, 21.5f);  // 5 x 5 rooms and a little beyond
    std::uniform_real_distribution<float> reach(-3.0f, 3.0f);
    int refused = 0;
    int taken = 0;
    for (int steps = 0; steps < 4000; ++steps) {
        const Maze maze(5, 5, seededPick(static_cast<std::uint32_t>(steps)));
        const glm::vec3 from(place(engine), 1.7f, place(engine));
        const glm::vec3 to = from + glm::vec3(reach(engine), 0.0f, reach(engine));
        if (!solidAt(maze.getGrid(), from)) {
            const bool entersWall = stepEntersWall(maze.getGrid(), from, to);
            // A nudge of one spacing reaches what the step touches between two points.
            const float nudge = entersWall ? glm::length(to - from) / stepSamples : 0.0f;
            ASSERT_EQ(sampledStepTouchesWall(maze.getGrid(), from, to, nudge), entersWall);
            ++(entersWall ? refused : taken);
        }
    }
    // Both answers came up often enough to mean something.
    EXPECT_GT(std::min(refused, taken), 300) << refused << " refused, " << taken << " taken";
    // Chance never passes exactly through a corner: between two open slots,
    // through the corner point of the pillar (2, 2).
    const GridPicture corner({"www", "w00", "w0w"});
    EXPECT_TRUE(stepEntersWall(corner.grid(), {3.5f, 1.7f, 2.5f}, {2.5f, 1.7f, 3.5f}));
}

// Whether any of 360 points on the circle of `radius` around `p`, or `p`
// itself, lies in a solid cell.
bool circleTouchesWall(const MazeGrid& grid, const glm::vec3& p, float radius) {
    for (int degree = 0; degree < 360; ++degree) {
        const float angle = glm::radians(static_cast<float>(degree));
        if (solidAt(grid, p + radius * glm::vec3(std::cos(angle), 0.0f, std::sin(angle)))) {
            return true;
        }
    }
    return solidAt(grid, p);
}

// Steps from around the corners of cells to within a few nearest rests of
// them, in room corners and beyond the exit where nothing pushes, and by side
// walls where the push does: no frame leaves the player nearer to a solid cell
// than the nearest rest, and only a step that would (or that enters a wall) is
// refused.
TEST_F(Controls, NoFrameEndsNearerToAWallThanTheNearestRest) {
    std::mt19937 engine(2027);
    std::uniform_int_distribution<int> gridLine(0, 6);
    std::uniform_real_distribution<float> start(-0.3f, 0.3f);
    std::uniform_real_distribution<float> end(-3.0f * nearestRestFromAWall,
                                              3.0f * nearestRestFromAWall);
    const MazeGrid& grid = maze.getGrid();
    int refused = 0;
    int taken = 0;
    for (int steps = 0; steps < 4000; ++steps) {
        const glm::vec3 corner(2.0f * gridLine(engine) - 1.0f, 1.7f,
                               2.0f * gridLine(engine) - 1.0f);
        const glm::vec3 from = corner + glm::vec3(start(engine), 0.0f, start(engine));
        const glm::vec3 toward = corner + glm::vec3(end(engine), 0.0f, end(engine)) - from;
        if (solidAt(grid, from) || restsTooNearAWall(grid, from) ||
            wallCorrection(from, maze) != glm::vec3(0.0f)) {
            continue;
        }
        startAt(from);
        player.look(std::atan2(toward.x, toward.z) - player.getHorizontalAngle(), 0.0f);
        const glm::vec3 wanted = from + player.getDirection() * glm::length(toward);
        frame(forward(), glm::length(toward) / player.getWalkSpeed());
        // A thousandth of the radius either way leaves room for the sampling.
        if (player.getPosition() == from) {
            ++refused;
            ASSERT_TRUE(stepEntersWall(grid, from, wanted) ||
                        circleTouchesWall(grid, wanted + wallCorrection(wanted, maze),
                                          nearestRestFromAWall * 1.001f));
        } else {
            ++taken;
            ASSERT_FALSE(
                circleTouchesWall(grid, player.getPosition(), nearestRestFromAWall * 0.999f));
        }
    }
    EXPECT_GT(std::min(refused, taken), 100) << refused << " refused, " << taken << " taken";
}

TEST_F(Controls, FirstStepOnlyLooksEvenWithAKeyHeld) {
    player.setPosition({2.0f, 1.7f, 2.0f});
    ControlInput input = forward();
    input.run = true;
    input.now = 0.05;  // a step of 0.3 units from a clock started at 0
    const ControlEffects effects = stepControls(clock, input, player, maze);
    EXPECT_EQ(player.getPosition(), glm::vec3(2.0f, 1.7f, 2.0f));
    // The look ran although the cursor sat at the centre.
    EXPECT_NE(player.getRight(), glm::vec3(0.0f));
    EXPECT_EQ(player.getHorizontalAngle(), 0.0f);
    EXPECT_EQ(effects.viewportWidth, windowWidth);
    EXPECT_EQ(effects.viewportHeight, windowHeight);
    EXPECT_EQ(effects.cursorCentreX, centreX);
    EXPECT_EQ(effects.cursorCentreY, centreY);
}

TEST_F(Controls, CursorRightOfCentreTurnsRightAndAboveLooksUp) {
    startAt({2.0f, 1.7f, 2.0f});
    ControlInput input = frameInput();
    input.cursorX = centreX + 100.0;
    input.cursorY = centreY - 20.0;
    step(input, tenthOfASecond);
    EXPECT_FLOAT_EQ(player.getHorizontalAngle(), -0.5f);
    EXPECT_FLOAT_EQ(player.getVerticalAngle(), 0.1f);
    // Yaw 0 looks along +z with +x on the left, so turning right heads to -x.
    EXPECT_LT(player.getDirection().x, 0.0f);
    EXPECT_GT(player.getDirection().y, 0.0f);
}

TEST_F(Controls, OddWindowSizesCentreTheCursorRoundingDown) {
    startAt({2.0f, 1.7f, 2.0f});
    ControlInput input = frameInput();
    input.windowWidth = 1025;
    input.windowHeight = 769;
    input.cursorX = 512.0;
    input.cursorY = 384.0;
    const ControlEffects effects = step(input, tenthOfASecond);
    EXPECT_EQ(effects.cursorCentreX, 512.0);
    EXPECT_EQ(effects.cursorCentreY, 384.0);
    EXPECT_EQ(player.getHorizontalAngle(), 0.0f);
    EXPECT_FLOAT_EQ(player.getAspectRatio(), 1025.0f / 769.0f);
}

TEST_F(Controls, MinimisedWindowKeepsTheAspectRatioFinite) {
    startAt({2.0f, 1.7f, 2.0f});
    ControlInput input = frameInput();
    input.windowHeight = 0;
    ControlEffects effects = step(input, tenthOfASecond);
    EXPECT_EQ(effects.viewportHeight, 1);
    EXPECT_EQ(effects.cursorCentreY, 0.0);
    EXPECT_EQ(player.getAspectRatio(), 1024.0f);
    input.windowWidth = 0;
    effects = step(input, tenthOfASecond);
    EXPECT_EQ(effects.viewportWidth, 1);
    EXPECT_TRUE(std::isfinite(player.getProjectionMatrix()[0][0]));
}

TEST_F(Controls, StepLengthFollowsTheClockAndRunDoublesIt) {
    startAt({2.0f, 1.7f, 2.0f});
    step(forward(), tenthOfASecond);
    expectVec3Near(player.getPosition(), {2.0f, 1.7f, 2.3f});
    ControlInput running = forward();
    running.run = true;
    step(running, tenthOfASecond);
    expectVec3Near(player.getPosition(), {2.0f, 1.7f, 2.9f});
}

TEST_F(Controls, KeysMoveAlongTheHorizontalPartsOfTheViewOnly) {
    startAt({2.0f, 1.7f, 2.0f});
    ControlInput lookUp = frameInput();
    lookUp.cursorY = centreY - 200.0;  // one radian up
    step(lookUp, tenthOfASecond);
    ControlInput keys = frameInput();
    keys.forward = true;
    keys.left = true;
    step(keys, tenthOfASecond);
    // Forward is shortened by the pitch's cosine; left is -right, towards +x.
    expectVec3Near(player.getPosition(), {2.0f + 0.3f, 1.7f, 2.0f + 0.3f * std::cos(1.0f)}, 1e-3f);
    ControlInput opposite = frameInput();
    opposite.forward = true;
    opposite.back = true;
    const glm::vec3 before = player.getPosition();
    step(opposite, tenthOfASecond);
    expectVec3Near(player.getPosition(), before);
}

TEST_F(Controls, CrouchTakesEffectOnlyWithAnAcceptedStep) {
    startAt({2.0f, 1.7f, 2.9f});
    ControlInput crouch = frameInput();
    crouch.crouch = true;
    step(crouch, tenthOfASecond);
    EXPECT_EQ(player.getPosition().y, 1.0f);
    step(frameInput(), tenthOfASecond);
    EXPECT_EQ(player.getPosition().y, 1.7f);
    // Into the wall (2, 1) at z = 3: the whole step is refused, height too.
    ControlInput crouchIntoWall = forward();
    crouchIntoWall.crouch = true;
    step(crouchIntoWall, tenthOfASecond);
    EXPECT_EQ(player.getPosition(), glm::vec3(2.0f, 1.7f, 2.9f));
}

TEST_F(Controls, WalkingIntoAWallStopsAtTheMargin) {
    startAt({2.0f, 1.7f, 2.0f});
    for (int i = 0; i < 120; ++i) {
        frame(forward(), 1.0 / 60.0);
        ASSERT_FALSE(standsInSolidCell());
    }
    expectVec3Near(player.getPosition(), {2.0f, 1.7f, 2.85f});
}

TEST_F(Controls, WalkingAtASlantSlidesAlongTheWall) {
    startAt({2.0f, 1.7f, 2.5f});
    ControlInput turn = frameInput();
    turn.cursorX = centreX - 157.0;  // an eighth of a turn left: between +z and +x
    step(turn, tenthOfASecond);
    for (int i = 0; i < 30; ++i) {
        frame(forward(), 1.0 / 60.0);
        ASSERT_FALSE(standsInSolidCell());
    }
    EXPECT_NEAR(player.getPosition().z, 2.85f, 1e-5f);
    EXPECT_GT(player.getPosition().x, 2.9f);
}

TEST_F(Controls, CorrectionPushesOnlyAwayFromSideNeighbours) {
    // Room (1, 1) has the border wall (1, 0) on its left: pushed out to 1.15.
    expectVec3Near(wallCorrection({1.05f, 1.7f, 2.0f}, maze), {0.1f, 0.0f, 0.0f});
    // Room (1, 3) at its corner with the pillar (2, 2): the side neighbours
    // (1, 2) and (2, 3) are open, so the diagonal pillar does not push.
    EXPECT_EQ(wallCorrection({5.05f, 1.7f, 2.95f}, maze), glm::vec3(0.0f));
    // Both axes at once near two walls: (0, 3) above and (1, 4) to the right.
    expectVec3Near(wallCorrection({6.95f, 1.7f, 1.1f}, maze), {-0.1f, 0.0f, 0.05f});
}

TEST_F(Controls, EntranceHoldsThePlayerInsideAndRefusesAnyStepIntoTheSealingBlock) {
    startAt({2.0f, 1.7f, 0.0f});
    ControlInput back = frameInput();
    back.back = true;
    for (int i = 0; i < 60; ++i) {
        frame(back, 1.0 / 60.0);
    }
    EXPECT_NEAR(player.getPosition().z, -0.85f, 1e-5f);
    // Row -1, the block that seals the entrance, begins at z = -1.
    frame(back, 1.0 / 6.0);
    EXPECT_NEAR(player.getPosition().z, -0.85f, 1e-5f);
}

TEST_F(Controls, PlayerCanStepIntoTheCellBeyondTheExitButNoFurther) {
    startAt({6.0f, 1.7f, 8.0f});
    for (int i = 0; i < 10; ++i) {
        frame(forward(), 1.0 / 6.0);
        EXPECT_LT(player.getPosition().z, 11.0f);
    }
    EXPECT_GT(player.getPosition().z, 9.0f);
    EXPECT_EQ(cellIndexOf(player.getPosition().z), maze.getGrid().rows);
    EXPECT_EQ(wallCorrection(player.getPosition(), maze), glm::vec3(0.0f));
}

TEST_F(Controls, AStallLongerThanAWallIsThickIsRefusedWhole) {
    // A second and a half of walking would land in the open room (3, 1)
    // beyond the wall (2, 1).
    startAt({2.0f, 1.7f, 2.0f});
    step(forward(), 1.5);
    EXPECT_EQ(player.getPosition(), glm::vec3(2.0f, 1.7f, 2.0f));
}

// Whatever a record holds (a clock, cursor or window size from a damaged
// replay: huge, infinite, not a number, of either sign), the step ends and
// leaves the player at a finite position, looking along a finite direction.
TEST_F(Controls, NoRecordHoweverExtremeLeavesThePlayerAnywhereButAFinitePlace) {
    const double inf = std::numeric_limits<double>::infinity();
    const double extremes[] = {0.0, 0.5, -0.5, 1e6, -1e6, 1e300, -inf, std::nan(""), DBL_MAX};
    const int sizes[] = {0, -1, 1024, INT_MAX, INT_MIN};
    std::mt19937 engine(2028);
    const auto any = [&engine](const auto& values) {
        return values[std::uniform_int_distribution<size_t>(0, std::size(values) - 1)(engine)];
    };
    startAt({2.0f, 1.7f, 2.0f});
    for (int record = 0; record < 20000; ++record) {
        ControlInput input{now + any(extremes),
                           any(extremes),
                           any(extremes),
                           any(sizes),
                           any(sizes),
                           record % 2 == 0,
                           false,
                           record % 3 == 0,
                           false,
                           record % 5 == 0,
                           false,
                           record % 7 != 0};
        stepControls(clock, input, player, maze);
        player.setPosition(player.getPosition() + wallCorrection(player.getPosition(), maze));
        const glm::vec3 p = player.getPosition();
        const glm::vec3 d = player.getDirection();
        ASSERT_TRUE(std::isfinite(p.x + p.y + p.z + d.x + d.y + d.z)) << "record " << record;
        ASSERT_FALSE(standsInSolidCell()) << "record " << record;
    }
}
