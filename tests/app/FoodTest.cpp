#include <gtest/gtest.h>

#include <climits>

#include "app/Food.h"
#include "maze/Maze.h"
#include "player/Player.h"
#include "support/GridPicture.h"

namespace {
int alwaysNewest(int lo, int) {
    return lo;
}

// The 2 x 2 worked example; the exit opening (4, 3) lies at x = 6, z = 8.
class Food : public testing::Test {
  protected:
    Maze maze{2, 2, alwaysNewest};
    Player player;
    int points = 0;

    void eatAt(float x, float y, float z) {
        player.setPosition({x, y, z});
        eatFood(player, maze, points);
    }
};
}  // namespace

TEST_F(Food, IsEatenOnceOnTheFirstFrameInItsCell) {
    eatAt(2.5f, 1.7f, 1.2f);
    EXPECT_EQ(points, 1);
    EXPECT_EQ(maze.getGrid().cellAt(1, 1), '0');
    eatAt(2.0f, 1.7f, 2.0f);
    EXPECT_EQ(points, 1);
    // Height plays no part.
    eatAt(6.0f, 40.0f, 8.0f);
    EXPECT_EQ(points, 2);
    EXPECT_EQ(maze.getGrid().cellAt(4, 3), '0');
}

TEST_F(Food, OpenFloorAndWallsGiveNothing) {
    eatAt(4.0f, 1.7f, 2.0f);  // the open slot (1, 2)
    eatAt(4.0f, 1.7f, 4.0f);  // the pillar (2, 2)
    EXPECT_EQ(points, 0);
    EXPECT_EQ(countCells(maze.getGrid(), 'o'), 5);
}

TEST_F(Food, CellBeyondTheExitOpeningIsNeverCollected) {
    eatAt(6.0f, 1.7f, 10.0f);
    EXPECT_EQ(points, 0);
    EXPECT_EQ(countCells(maze.getGrid(), 'o'), 5);
}

TEST_F(Food, PositionsBelowMinusOneLieOutsideTheGrid) {
    paintPicture(maze.getGrid(), {"o0wyw", "xo0ox", "wyw0w", "xo0ox", "wywow"});
    eatAt(-2.9f, 1.7f, -0.5f);
    eatAt(-0.5f, 1.7f, -1.1f);
    EXPECT_EQ(points, 0);
    // Cell (0, 0) begins at -1.
    eatAt(-1.0f, 1.7f, -1.0f);
    EXPECT_EQ(points, 1);
}

TEST(ScoreTotal, CountsEveryRoomAndTheExitOpening) {
    EXPECT_EQ(scoreTotal(10, 10), 101);
    EXPECT_EQ(scoreTotal(0, 7), 1);
    for (const auto& [rows, columns] : {std::pair{1, 1}, {2, 5}, {7, 3}, {10, 10}}) {
        const Maze maze(rows, columns);
        EXPECT_EQ(countCells(maze.getGrid(), 'o'), scoreTotal(rows, columns));
    }
}

TEST(ScoreLine, AlignsTheCountRightAndTheTotalLeftInThreeColumns) {
    EXPECT_EQ(scoreLine(0, 101), "Points:   0/101");
    EXPECT_EQ(scoreLine(42, 7), "Points:  42/7  ");
    EXPECT_EQ(scoreLine(101, 101), "Points: 101/101");
}

TEST(ScoreLine, WiderNumbersAreNeverCutShort) {
    EXPECT_EQ(scoreLine(1234, 10001), "Points: 1234/10001");
    EXPECT_EQ(scoreLine(INT_MIN, INT_MIN), "Points: -2147483648/-2147483648");
    EXPECT_EQ(scoreLine(INT_MAX, INT_MAX), "Points: 2147483647/2147483647");
}
