#include <gtest/gtest.h>

#include <map>

#include <glm/gtc/matrix_transform.hpp>

#include "maze/Maze.h"
#include "maze/MazeBlocks.h"
#include "support/GridPicture.h"
#include "support/VectorExpect.h"

using MazeBlocks::WallBlock;

namespace {
std::map<WallBlock, int> countWallBlocks(const MazeGrid& grid) {
    std::map<WallBlock, int> counts;
    MazeBlocks::forEachWallBlock(grid, [&](WallBlock block, const glm::mat4&) { ++counts[block]; });
    return counts;
}

std::vector<CellPosition> foodCells(const MazeGrid& grid) {
    std::vector<CellPosition> cells;
    MazeBlocks::forEachFoodBlock(
        grid, [&](int row, int col, const glm::mat4&) { cells.emplace_back(row, col); });
    return cells;
}

// Where the matrix sends a corner of the cube mesh (-1 to 1 on each axis).
glm::vec3 corner(const glm::mat4& matrix, float x, float y, float z) {
    return glm::vec3(matrix * glm::vec4(x, y, z, 1.0f));
}

void expectColumns(const glm::mat4& matrix, const glm::vec4& x, const glm::vec4& y,
                   const glm::vec4& z, const glm::vec4& translation) {
    EXPECT_EQ(matrix[0], x);
    EXPECT_EQ(matrix[1], y);
    EXPECT_EQ(matrix[2], z);
    EXPECT_EQ(matrix[3], translation);
}
}  // namespace

TEST(MazeBlocks, TenByTenMazeDrawsSixHundredEightyTwoWallBlocksAndAllFood) {
    const Maze maze(10, 10);
    const std::map<WallBlock, int> counts = countWallBlocks(maze.getGrid());
    EXPECT_EQ(counts.at(WallBlock::floor), 441);
    EXPECT_EQ(counts.at(WallBlock::pillar), 121);
    EXPECT_EQ(counts.at(WallBlock::wallThinAlongX) + counts.at(WallBlock::wallThinAlongZ), 119);
    EXPECT_EQ(counts.at(WallBlock::entrance), 1);
    EXPECT_EQ(foodCells(maze.getGrid()).size(), 101u);
}

TEST(MazeBlocks, EatenFoodIsNoLongerDrawn) {
    const Maze maze(10, 10);
    const MazeGrid& grid = maze.getGrid();
    grid.setCell(20, 19, '0');  // the exit opening
    grid.setCell(1, 1, '0');
    const std::vector<CellPosition> cells = foodCells(grid);
    EXPECT_EQ(cells.size(), 99u);
    EXPECT_EQ(std::count(cells.begin(), cells.end(), CellPosition{20, 19}), 0);
    EXPECT_EQ(std::count(cells.begin(), cells.end(), CellPosition{1, 1}), 0);
    EXPECT_EQ(countWallBlocks(grid).at(WallBlock::floor), 441);
}

TEST(MazeBlocks, EachCellGetsItsWallThenItsFloorAndTheEntranceComesLast) {
    const GridPicture picture({"w0w", "xox", "wow"});
    std::vector<std::pair<WallBlock, glm::vec3>> blocks;
    MazeBlocks::forEachWallBlock(picture.grid(), [&](WallBlock block, const glm::mat4& matrix) {
        blocks.emplace_back(block, glm::vec3(matrix[3]));
    });
    const std::vector<std::pair<WallBlock, glm::vec3>> expected{
        {WallBlock::pillar, {0, 1, 0}},         {WallBlock::floor, {0, -1, 0}},
        {WallBlock::floor, {2, -1, 0}},         {WallBlock::pillar, {4, 1, 0}},
        {WallBlock::floor, {4, -1, 0}},         {WallBlock::wallThinAlongX, {0, 1, 2}},
        {WallBlock::floor, {0, -1, 2}},         {WallBlock::floor, {2, -1, 2}},
        {WallBlock::wallThinAlongX, {4, 1, 2}}, {WallBlock::floor, {4, -1, 2}},
        {WallBlock::pillar, {0, 1, 4}},         {WallBlock::floor, {0, -1, 4}},
        {WallBlock::floor, {2, -1, 4}},         {WallBlock::pillar, {4, 1, 4}},
        {WallBlock::floor, {4, -1, 4}},         {WallBlock::entrance, {2, 1, -2}},
    };
    EXPECT_EQ(blocks, expected);
}

TEST(MazeBlocks, PillarsAndFloorsAreUnscaledCubesAtTheCellCentre) {
    const glm::mat4 pillar = MazeBlocks::pillarMatrix(3, 4);
    EXPECT_EQ(pillar, glm::translate(glm::mat4(1.0f), glm::vec3(8, 1, 6)));
    // The pillar fills its cell and reaches from the floor's top to y = 2.
    expectVec3Near(corner(pillar, -1, -1, -1), {7, 0, 5});
    expectVec3Near(corner(pillar, 1, 1, 1), {9, 2, 7});
    const glm::mat4 floor = MazeBlocks::floorMatrix(3, 4);
    expectVec3Near(corner(floor, 1, 1, 1), {9, 0, 7});
    expectVec3Near(MazeBlocks::entranceMatrix()[3], {2, 1, -2});
}

TEST(MazeBlocks, WallsAreThinnedAcrossTheirOwnSlotOnly) {
    // Odd row, even column: rooms on either side along x, thinned along x.
    expectColumns(MazeBlocks::wallThinAlongXMatrix(1, 2), {0.8f, 0, 0, 0}, {0, 1, 0, 0},
                  {0, 0, 1, 0}, {4, 1, 2, 1});
    // Even row, odd column: thinned along z.
    expectColumns(MazeBlocks::wallThinAlongZMatrix(2, 1), {1, 0, 0, 0}, {0, 1, 0, 0},
                  {0, 0, 0.8f, 0}, {2, 1, 4, 1});
}

TEST(MazeBlocks, FoodIsATenthSizedCubeAtWallHeight) {
    expectColumns(MazeBlocks::foodMatrix(19, 5), {0.1f, 0, 0, 0}, {0, 0.1f, 0, 0}, {0, 0, 0.1f, 0},
                  {10, 1, 38, 1});
}

TEST(MazeBlocks, TooSmallMazeDrawsPillarsFloorsAndEntranceButNoFood) {
    const Maze maze(0, 2);
    const std::map<WallBlock, int> counts = countWallBlocks(maze.getGrid());
    EXPECT_EQ(counts.at(WallBlock::pillar), 3);
    EXPECT_EQ(counts.at(WallBlock::floor), 5);
    EXPECT_EQ(counts.at(WallBlock::entrance), 1);
    EXPECT_EQ(counts.count(WallBlock::wallThinAlongX) + counts.count(WallBlock::wallThinAlongZ),
              0u);
    EXPECT_TRUE(foodCells(maze.getGrid()).empty());
}
