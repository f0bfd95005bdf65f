#include <gtest/gtest.h>

#include "maze/Maze.h"
#include "support/GridPicture.h"

namespace {
int alwaysFirst(int lo, int) {
    return lo;
}
}  // namespace

TEST(MazeGrid, CellsOutsideTheGridReadAsPillars) {
    const GridPicture picture({"wyw", "xox", "wow"});
    const MazeGrid& grid = picture.grid();
    EXPECT_EQ(grid.cellAt(-1, 0), 'w');
    EXPECT_EQ(grid.cellAt(-1, 2), 'w');
    EXPECT_EQ(grid.cellAt(0, -1), 'w');
    EXPECT_EQ(grid.cellAt(1, 3), 'w');
    EXPECT_EQ(grid.cellAt(3, 0), 'w');
    EXPECT_EQ(grid.cellAt(3, 2), 'w');
    EXPECT_EQ(grid.cellAt(-1000000, 1000000), 'w');
    EXPECT_FALSE(grid.inBounds(-1, 1));
    EXPECT_FALSE(grid.inBounds(1, 3));
    EXPECT_TRUE(grid.inBounds(2, 2));
}

TEST(MazeGrid, CellInFrontOfTheEntranceIsAWallEvenThoughTheEntranceIsOpen) {
    const GridPicture picture({"w0w", "xox", "wow"});
    EXPECT_EQ(picture.grid().cellAt(0, 1), '0');
    EXPECT_EQ(picture.grid().cellAt(-1, 1), 'w');
}

TEST(MazeGrid, CellBeyondTheExitOpeningReadsAsFoodButIsOutside) {
    const GridPicture picture({"w0wyw", "xo0ox", "wyw0w", "xo0ox", "wywow"});
    const MazeGrid& grid = picture.grid();
    EXPECT_EQ(grid.cellAt(5, 3), 'o');
    EXPECT_FALSE(grid.inBounds(5, 3));
    EXPECT_EQ(grid.cellAt(5, 1), 'w');
    EXPECT_EQ(grid.cellAt(5, 4), 'w');
}

TEST(MazeGrid, CopiesShareTheCells) {
    Maze maze(2, 2, alwaysFirst);
    MazeGrid copy = maze.getGrid();
    copy.setCell(1, 1, '0');
    EXPECT_EQ(maze.getGrid().cellAt(1, 1), '0');
    maze.getGrid().setCell(3, 3, '0');
    EXPECT_EQ(copy.cellAt(3, 3), '0');
}

TEST(MazeGrid, ResetGridLeavesPillarsAtEvenCellsAndTheRestUndecided) {
    Maze maze(1, 1, alwaysFirst);
    maze.resetGrid();
    EXPECT_EQ(pictureOf(maze.getGrid()), (Picture{"waw", "aaa", "waw"}));
}

TEST(MazeGrid, ResetGridAfterAChangeOfSizeRebuildsTheWholePattern) {
    // Each resize frees the storage of the previous size, whichever way it
    // changes (the sanitizer build sees a wrong count of freed rows).
    Maze maze(1, 1, alwaysFirst);
    maze.setRows(3);
    EXPECT_EQ(maze.getGrid().rows, 7);
    EXPECT_EQ(pictureOf(maze.getGrid()),
              (Picture{"waw", "aaa", "waw", "aaa", "waw", "aaa", "waw"}));
    maze.setColumns(0);
    maze.setRows(0);
    EXPECT_EQ(pictureOf(maze.getGrid()), (Picture{"w"}));
    maze.setColumns(2);
    maze.setRows(1);
    EXPECT_EQ(pictureOf(maze.getGrid()), (Picture{"wawaw", "aaaaa", "wawaw"}));
}

TEST(MazeGrid, NegativeRoomCountsGiveAThinUncarvedGrid) {
    Maze maze(-2, 1, alwaysFirst);
    EXPECT_EQ(pictureOf(maze.getGrid()), (Picture{"waw"}));
}

// Inside the border, generation puts food in every room and nowhere else, so
// the tour's rooms (read from row and column alone) are the food cells.
TEST(MazeGrid, RoomCellsAreTheFoodCellsInsideTheBorder) {
    const Maze maze(4, 3, seededPick(5));
    const MazeGrid& grid = maze.getGrid();
    for (int row = 1; row < grid.rows - 1; ++row) {
        for (int col = 1; col < grid.cols - 1; ++col) {
            EXPECT_EQ(isRoomCell(row, col), grid.cellAt(row, col) == CellCode::food)
                << row << ", " << col;
        }
    }
}
