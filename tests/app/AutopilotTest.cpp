#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "app/FrameStep.h"
#include "maze/Maze.h"
#include "player/Player.h"

namespace {
constexpr int tenRooms = 10;
constexpr double generousGameSeconds = 600.0;
constexpr float maxTurnRadiansPerSecond = 5.0f;
// Kept clear of every wall face by at least this much, in x and in z.
constexpr float clearanceUnits = 0.5f;

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
    // Steady rates, and 60 a second with a long frame (0.4 s) now and then.
    std::vector<double> withLongFrames(29, 1.0 / 60.0);
    withLongFrames.push_back(0.4);
    const std::vector<std::vector<double>> frameTimes = {
        {0.1}, {1.0 / 60.0}, {0.002}, withLongFrames};
    for (const std::vector<double>& frameSeconds : frameTimes) {
        for (std::uint32_t seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE(testing::Message() << frameSeconds.back() << " s frames, seed " << seed);
            Maze maze(tenRooms, tenRooms, seededPick(seed));
            const MazeGrid& grid = maze.getGrid();
            int framesNearAWall = 0;
            float fastestTurn = 0.0f;
            Player last;
            double lastNow = 0.0;
            const AutoplayResult result = simulateAutoplay(
                maze, frameSeconds, true, generousGameSeconds,
                [&](const ControlInput& input, const Player& player) {
                    framesNearAWall += clearOfWalls(grid, player.getPosition()) ? 0 : 1;
                    const float turn =
                        std::fabs(player.getHorizontalAngle() - last.getHorizontalAngle());
                    if (turn > 0.0f) {
                        fastestTurn =
                            std::max(fastestTurn, turn / static_cast<float>(input.now - lastNow));
                    }
                    lastNow = input.now;
                    last = player;
                });
            EXPECT_EQ(result.points, 101);
            EXPECT_TRUE(result.arrived);
            EXPECT_EQ(framesNearAWall, 0);
            EXPECT_LE(fastestTurn, maxTurnRadiansPerSecond * 1.001f);
            // Beyond the exit opening, looking at the sculpture straight ahead.
            EXPECT_EQ(cellIndexOf(last.getPosition().z), grid.rows);
            EXPECT_EQ(cellIndexOf(last.getPosition().x), grid.cols - 2);
            EXPECT_NEAR(std::remainder(last.getHorizontalAngle(), 2.0f * 3.14159265f), 0.0f, 1e-5f);
        }
    }
}
