#include <gtest/gtest.h>

#include <random>

#include <queue>
#include <set>

#include "maze/Maze.h"
#include "support/GridPicture.h"

namespace {
int alwaysNewest(int lo, int) {
    return lo;
}

int alwaysOldestInWindow(int, int hi) {
    return hi;
}

constexpr int tenRooms = 10;
constexpr int randomMazeCount = 50;

// Rooms reached from the entrance through open slots, and whether any room
// was reached twice (a loop).
struct Reach {
    int rooms = 0;
    bool loop = false;
};

Reach reachFromEntrance(const MazeGrid& grid) {
    Reach reach;
    std::set<CellPosition> seen{{1, 1}};
    std::queue<std::pair<CellPosition, CellPosition>> frontier;  // room, came-from room
    frontier.push({{1, 1}, {-1, -1}});
    const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    while (!frontier.empty()) {
        const auto [room, from] = frontier.front();
        frontier.pop();
        ++reach.rooms;
        for (const auto& step : steps) {
            const int slotRow = room.first + step[0];
            const int slotCol = room.second + step[1];
            const CellPosition next{room.first + 2 * step[0], room.second + 2 * step[1]};
            if (!grid.inBounds(next.first, next.second) || next == from ||
                grid.cellAt(slotRow, slotCol) != '0') {
                continue;
            }
            if (!seen.insert(next).second) {
                reach.loop = true;
                continue;
            }
            frontier.push({next, room});
        }
    }
    return reach;
}

int interiorOpenings(const MazeGrid& grid) {
    int count = 0;
    for (int row = 1; row < grid.rows - 1; ++row) {
        for (int col = 1; col < grid.cols - 1; ++col) {
            const bool slot = (row + col) % 2 == 1;
            count += slot && grid.cellAt(row, col) == '0' ? 1 : 0;
        }
    }
    return count;
}

void expectClosedBorder(const MazeGrid& grid) {
    const int lastRow = grid.rows - 1;
    const int lastCol = grid.cols - 1;
    for (int col = 0; col < grid.cols; ++col) {
        const char top = col % 2 == 0 ? 'w' : (col == 1 ? '0' : 'y');
        const char bottom = col % 2 == 0 ? 'w' : (col == lastCol - 1 ? 'o' : 'y');
        EXPECT_EQ(grid.cellAt(0, col), top) << "column " << col;
        EXPECT_EQ(grid.cellAt(lastRow, col), bottom) << "column " << col;
    }
    for (int row = 0; row < grid.rows; ++row) {
        const char side = row % 2 == 0 ? 'w' : 'x';
        EXPECT_EQ(grid.cellAt(row, 0), side) << "row " << row;
        EXPECT_EQ(grid.cellAt(row, lastCol), side) << "row " << row;
    }
}

// A perfect maze of roomRows x roomCols rooms: every room holds food and is
// reached from the entrance by exactly one path, and the border is closed but
// for the entrance and the exit opening.
void expectPerfectMaze(const MazeGrid& grid, int roomRows, int roomCols) {
    const int rooms = roomRows * roomCols;
    const int pillars = (roomRows + 1) * (roomCols + 1);
    const int slots = grid.rows * grid.cols - pillars - rooms;
    EXPECT_EQ(countCells(grid, 'o'), rooms + 1);
    EXPECT_EQ(countCells(grid, '0'), rooms);
    EXPECT_EQ(countCells(grid, 'x') + countCells(grid, 'y'), slots - rooms - 1);
    EXPECT_EQ(countCells(grid, 'w'), pillars);
    EXPECT_EQ(countCells(grid, 'a'), 0);
    expectClosedBorder(grid);
    EXPECT_EQ(interiorOpenings(grid), rooms - 1);
    const Reach reach = reachFromEntrance(grid);
    EXPECT_EQ(reach.rooms, rooms);
    EXPECT_FALSE(reach.loop);
}
}  // namespace

TEST(MazeGeneration, TwoByTwoWithNewestPicksGivesTheWorkedExample) {
    const Maze maze(2, 2, alwaysNewest);
    EXPECT_EQ(pictureOf(maze.getGrid()), (Picture{"w0wyw", "xo0ox", "wyw0w", "xo0ox", "wywow"}));
}

// Each slot added alone widens the window by one, so the oldest entry in it
// reaches further back every time: (2, 1) is opened before (1, 2).
TEST(MazeGeneration, TwoByTwoWithOldestPicksInTheWindowReachesBackAsItWidens) {
    const Maze maze(2, 2, alwaysOldestInWindow);
    EXPECT_EQ(pictureOf(maze.getGrid()), (Picture{"w0wyw", "xo0ox", "w0wyw", "xo0ox", "wywow"}));
}

TEST(MazeGeneration, OneRoomOpensTheEntranceAndFeedsRoomAndExit) {
    const Maze maze(1, 1, alwaysNewest);
    EXPECT_EQ(pictureOf(maze.getGrid()), (Picture{"w0w", "xox", "wow"}));
}

TEST(MazeGeneration, OneColumnOfRoomsIsAStraightCorridor) {
    const Maze maze(4, 1);
    EXPECT_EQ(pictureOf(maze.getGrid()),
              (Picture{"w0w", "xox", "w0w", "xox", "w0w", "xox", "w0w", "xox", "wow"}));
}

TEST(MazeGeneration, NoRoomsInEitherDirectionLeavesTheInitialPattern) {
    const Maze noRows(0, 3);
    EXPECT_EQ(pictureOf(noRows.getGrid()), (Picture{"wawawaw"}));
    const Maze noColumns(2, 0);
    EXPECT_EQ(pictureOf(noColumns.getGrid()), (Picture{"w", "a", "w", "a", "w"}));
}

TEST(MazeGeneration, EveryTenByTenMazeIsPerfect) {
    for (int i = 0; i < randomMazeCount; ++i) {
        const Maze maze(tenRooms, tenRooms);
        SCOPED_TRACE(testing::Message() << "maze " << i);
        expectPerfectMaze(maze.getGrid(), tenRooms, tenRooms);
    }
}

TEST(MazeGeneration, ExtremePickStrategiesStillGivePerfectMazes) {
    const Maze newest(tenRooms, tenRooms, alwaysNewest);
    expectPerfectMaze(newest.getGrid(), tenRooms, tenRooms);
    const Maze oldest(tenRooms, tenRooms, alwaysOldestInWindow);
    expectPerfectMaze(oldest.getGrid(), tenRooms, tenRooms);
}

TEST(MazeGeneration, NonSquareRoomCountsArePerfectToo) {
    const Maze maze(3, 7);
    EXPECT_EQ(maze.getGrid().rows, 7);
    EXPECT_EQ(maze.getGrid().cols, 15);
    expectPerfectMaze(maze.getGrid(), 3, 7);
}

TEST(MazeGeneration, RandomIntStaysWithinItsBoundsAndReachesBoth) {
    bool sawLow = false;
    bool sawHigh = false;
    for (int i = 0; i < 1000; ++i) {
        const int value = randomInt(3, 5);
        ASSERT_GE(value, 3);
        ASSERT_LE(value, 5);
        sawLow = sawLow || value == 3;
        sawHigh = sawHigh || value == 5;
    }
    EXPECT_TRUE(sawLow);
    EXPECT_TRUE(sawHigh);
    EXPECT_EQ(randomInt(4, 4), 4);
}

// A seed's draws are those the desktop's library has always given (GNU
// libstdc++'s uniform_int_distribution over the same engine), so that every
// seed and replay keeps its maze, in the browser's build too.
TEST(MazeGeneration, SeededDrawsAreTheDesktopLibrarysForEveryRange) {
    const PickFunction pick = seededPick(7);
    std::mt19937 engine(7);
    for (int draw = 0; draw < 100000; ++draw) {
        const int lo = draw % 23 - 5;
        const int hi = lo + draw % 61;
        ASSERT_EQ(pick(lo, hi), std::uniform_int_distribution<int>(lo, hi)(engine)) << draw;
    }
}
