#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include <glm/gtc/constants.hpp>

#include "app/Food.h"
#include "app/FrameStep.h"
#include "app/GameConstants.h"
#include "maze/Maze.h"
#include "player/Controls.h"
#include "player/Player.h"
#include "support/GridPicture.h"

// An automatic player walks through whole random mazes with the game's own
// control step, wall correction and food collection, steering only as a
// person would: cursor offsets from the window centre and the W key.
namespace {
constexpr int mazesPerFrameRate = 4;
// At most this many pixels of cursor offset per frame: a brisk flick.
constexpr int maxTurnPixels = 60;
// Walk only while facing the waypoint this closely (radians).
constexpr float walkingAlignment = 0.1f;
constexpr float arrivalDistance = 0.2f;
constexpr int maxFramesPerWaypoint = 2000;

// Every open cell of the grid in the order a depth-first walk from the
// entrance visits them, returning through each cell on the way back, so that
// consecutive waypoints are always side neighbours.
void tourFrom(const MazeGrid& grid, CellPosition cell, std::set<CellPosition>& seen,
              std::vector<CellPosition>& tour) {
    seen.insert(cell);
    tour.push_back(cell);
    const int steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (const auto& step : steps) {
        const CellPosition next{cell.first + step[0], cell.second + step[1]};
        if (!grid.inBounds(next.first, next.second) ||
            isSolid(grid.cellAt(next.first, next.second)) || seen.count(next) != 0) {
            continue;
        }
        tourFrom(grid, next, seen, tour);
        tour.push_back(cell);
    }
}

float wrappedAngle(float radians) {
    return std::remainder(radians, glm::two_pi<float>());
}

class AutoPlayer {
  public:
    AutoPlayer(Maze& maze, double framesPerSecond)
        : maze(maze), secondsPerFrame(1.0 / framesPerSecond) {
        player.setPosition(game::startPosition);
    }

    // Turns towards the cell's centre and walks there; false if it never
    // arrives or ever stands in a solid cell.
    bool walkTo(const CellPosition& cell) {
        const glm::vec2 target(2.0f * static_cast<float>(cell.second),
                               2.0f * static_cast<float>(cell.first));
        for (int i = 0; i < maxFramesPerWaypoint; ++i) {
            const glm::vec3& p = player.getPosition();
            const glm::vec2 toTarget = target - glm::vec2(p.x, p.z);
            if (glm::length(toTarget) < arrivalDistance) {
                return true;
            }
            // Yaw 0 looks along +z and grows towards +x.
            const float wanted = std::atan2(toTarget.x, toTarget.y);
            const float error = wrappedAngle(wanted - player.getHorizontalAngle());
            const int pixels =
                std::clamp(static_cast<int>(std::lround(error / player.getMouseSpeed())),
                           -maxTurnPixels, maxTurnPixels);
            const float turned = static_cast<float>(pixels) * player.getMouseSpeed();
            if (!frame(pixels, std::fabs(error - turned) < walkingAlignment)) {
                return false;
            }
        }
        return false;
    }

    int getPoints() const { return points; }

  private:
    // One frame as the game runs it. A positive turn moves the cursor left
    // of the centre, which turns left (yaw grows).
    bool frame(int turnPixels, bool walk) {
        ControlInput input;
        now += secondsPerFrame;
        input.now = now;
        input.windowWidth = game::windowWidthPixels;
        input.windowHeight = game::windowHeightPixels;
        input.cursorX = static_cast<double>(windowCentrePixels(input.windowWidth) - turnPixels);
        input.cursorY = windowCentrePixels(input.windowHeight);
        input.forward = walk;
        playFrame(clock, input, player, maze, points);
        const glm::vec3& p = player.getPosition();
        return !isSolid(maze.getGrid().cellAt(cellIndexOf(p.z), cellIndexOf(p.x)));
    }

    Maze& maze;
    Player player;
    ControlClock clock;
    double secondsPerFrame;
    double now = 0.0;
    int points = 0;
};

void walkWholeMazes(double framesPerSecond) {
    for (int i = 0; i < mazesPerFrameRate; ++i) {
        Maze maze(game::roomRows, game::roomColumns);
        std::set<CellPosition> seen;
        std::vector<CellPosition> tour;
        tourFrom(maze.getGrid(), {0, 1}, seen, tour);
        AutoPlayer walker(maze, framesPerSecond);
        for (const CellPosition& cell : tour) {
            ASSERT_TRUE(walker.walkTo(cell)) << "stuck or in a wall on the way to (" << cell.first
                                             << ", " << cell.second << ") in maze " << i;
        }
        EXPECT_EQ(walker.getPoints(), scoreTotal(game::roomRows, game::roomColumns));
        EXPECT_EQ(countCells(maze.getGrid(), 'o'), 0);
    }
}
}  // namespace

TEST(GameWalk, AtSixtyFramesASecondEveryFoodCubeIsEatenWithoutEnteringAWall) {
    walkWholeMazes(60.0);
}

TEST(GameWalk, AtTwentyFramesASecondEveryFoodCubeIsEatenWithoutEnteringAWall) {
    walkWholeMazes(20.0);
}
