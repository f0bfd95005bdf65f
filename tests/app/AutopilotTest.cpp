#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "app/FrameStep.h"
#include "maze/Maze.h"
#include "player/Player.h"

namespace {
constexpr int tenRooms = 10;
constexpr double generousGameSeconds = 600.0;
constexpr float maxTurnRadiansPerSecond = 5.0f;
// Kept clear of every wall face by at least this much, in x and in z.
constexpr float clearanceUnits = 0.5f;

PickFunction pickFromSeed(std::uint32_t seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(*engine); };
}

bool clearOfWalls(const MazeGrid& grid, const glm::vec3& p) {
    const float offsets[4][2] = {
        {clearanceUnits, 0}, {-clearanceUnits, 0}, {0, clearanceUnits}, {0, -clearanceUnits}};
    for (const auto& offset : offsets) {
        if (isSolid(grid.cellAt(cellIndexOf(p.z + offset[1]), cellIndexOf(p.x + offset[0])))) {
            return false;
        }
    }
    return true;
}
}  // namespace

TEST(Autopilot, EatsEverythingAndStopsBeyondTheExitAtTenToFiveHundredStepsASecond) {
    for (const double stepsPerSecond : {10.0, 60.0, 500.0}) {
        for (std::uint32_t seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE(testing::Message() << stepsPerSecond << " steps/s, seed " << seed);
            Maze maze(tenRooms, tenRooms, pickFromSeed(seed));
            const MazeGrid& grid = maze.getGrid();
            int framesNearAWall = 0;
            float fastestTurn = 0.0f;
            float yaw = 0.0f;
            Player last;
            const AutoplayResult result = simulateAutoplay(
                maze, stepsPerSecond, true, generousGameSeconds,
                [&](const ControlInput&, const Player& player) {
                    framesNearAWall += clearOfWalls(grid, player.getPosition()) ? 0 : 1;
                    fastestTurn =
                        std::max(fastestTurn, std::fabs(player.getHorizontalAngle() - yaw) *
                                                  static_cast<float>(stepsPerSecond));
                    yaw = player.getHorizontalAngle();
                    last = player;
                });
            EXPECT_EQ(result.points, 101);
            EXPECT_TRUE(result.arrived);
            EXPECT_EQ(framesNearAWall, 0);
            EXPECT_LE(fastestTurn, maxTurnRadiansPerSecond * 1.001f);
            // Beyond the exit opening, looking at the sculpture straight ahead.
            EXPECT_EQ(cellIndexOf(last.getPosition().z), grid.rows);
            EXPECT_EQ(cellIndexOf(last.getPosition().x), grid.cols - 2);
            EXPECT_NEAR(std::remainder(last.getHorizontalAngle(), 2.0f * 3.14159265f), 0.0f, 0.1f);
        }
    }
}
