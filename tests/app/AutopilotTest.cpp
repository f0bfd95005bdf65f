#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "app/FrameStep.h"
#include "app/GameConstants.h"
#include "maze/Maze.h"
#include "player/Player.h"

namespace {
constexpr int tenRooms = 10;
constexpr double generousGameSeconds = 600.0;
constexpr float maxTurnRadiansPerSecond = 5.0f;
// Kept clear of every wall face by at least this much, in x and in z.
constexpr float clearanceUnits = 0.5f;
// Never running towards the centre of a dead end this near it: a long frame
// would carry the player past it.
constexpr float noRunningNearADeadEndUnits = 0.5f;

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

// A cell with at most one open side neighbour: the end of a branch (the
// sculpture's cell beyond the exit is one too).
bool isDeadEnd(const MazeGrid& grid, int row, int col) {
    int open = 0;
    for (const auto& [dr, dc] : {CellPosition{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        open += isSolid(grid.cellAt(row + dr, col + dc)) ? 0 : 1;
    }
    return open <= 1;
}

float distanceToCellCentre(const glm::vec3& p, int row, int col) {
    return std::hypot(p.x - 2.0f * static_cast<float>(col), p.z - 2.0f * static_cast<float>(row));
}

RunSetup autoplaying() {
    RunSetup setup;
    setup.autoplay = true;
    return setup;
}
}  // namespace

// At 60 frames a second it is also pleasant to watch: it halts only where a
// branch ends and where the tour does, in the exit opening, turning every other corner while it
// walks, and it never runs up to the end of a branch, where a long frame would carry it past.
TEST(Autopilot, EatsEverythingAndStopsInTheExitOpeningAtTenToFiveHundredStepsASecond) {
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
            const bool watched = frameSeconds.size() == 1 && frameSeconds[0] == 1.0 / 60.0;
            int framesNearAWall = 0;
            int closingLines = 0;
            int haltsOutsideDeadEnds = 0;
            int runsNearADeadEnd = 0;
            float fastestTurn = 0.0f;
            Player last;
            last.setPosition(game::startPosition);
            double lastNow = 0.0;
            const SimulatedRun result = simulateRun(
                maze, autoplaying(), frameSeconds, generousGameSeconds,
                [&](const FrameOutcome& frame, const Player& player) {
                    const glm::vec3 p = player.getPosition();
                    framesNearAWall += clearOfWalls(grid, p) ? 0 : 1;
                    closingLines += frame.closingLine ? 1 : 0;
                    const float turn =
                        std::fabs(player.getHorizontalAngle() - last.getHorizontalAngle());
                    if (turn > 0.0f) {
                        fastestTurn = std::max(
                            fastestTurn, turn / static_cast<float>(frame.played.now - lastNow));
                    }
                    const int row = cellIndexOf(p.z);
                    const int col = cellIndexOf(p.x);
                    const bool deadEnd = isDeadEnd(grid, row, col);
                    const float left = distanceToCellCentre(p, row, col);
                    haltsOutsideDeadEnds += watched && frame.played.now > 0.0 &&
                                            p == last.getPosition() && !deadEnd &&
                                            CellPosition{row, col} != exitOpeningCell(grid);
                    runsNearADeadEnd += watched && frame.played.run && deadEnd &&
                                        left < noRunningNearADeadEndUnits &&
                                        left < distanceToCellCentre(last.getPosition(), row, col);
                    lastNow = frame.played.now;
                    last = player;
                });
            EXPECT_EQ(result.points, 101);
            EXPECT_EQ(closingLines, 1);
            EXPECT_TRUE(result.arrived);
            EXPECT_EQ(framesNearAWall, 0);
            EXPECT_LE(fastestTurn, maxTurnRadiansPerSecond * 1.001f);
            EXPECT_EQ(haltsOutsideDeadEnds, 0);
            EXPECT_EQ(runsNearADeadEnd, 0);
            // In the exit opening, facing the sculpture beyond it squarely.
            EXPECT_EQ(cellIndexOf(last.getPosition().z), grid.rows - 1);
            EXPECT_EQ(cellIndexOf(last.getPosition().x), grid.cols - 2);
            EXPECT_NEAR(std::remainder(last.getHorizontalAngle(), 2.0f * 3.14159265f), 0.0f, 1e-5f);
        }
    }
}
