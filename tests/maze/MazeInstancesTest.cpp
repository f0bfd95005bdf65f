#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "maze/Maze.h"
#include "maze/MazeBlocks.h"
#include "maze/MazeInstances.h"

namespace {

// Matrices in an order of their own, so that two lists of the same blocks
// compare equal whatever order each was built in.
std::vector<glm::mat4> sorted(std::vector<glm::mat4> matrices) {
    const auto key = [](const glm::mat4& m) {
        return std::vector<float>{m[3].x, m[3].y, m[3].z, m[0].x, m[2].z};
    };
    std::sort(matrices.begin(), matrices.end(),
              [&](const glm::mat4& a, const glm::mat4& b) { return key(a) < key(b); });
    return matrices;
}

std::vector<glm::mat4> perBlockWalls(const MazeGrid& grid) {
    std::vector<glm::mat4> matrices;
    MazeBlocks::forEachWallBlock(
        grid, [&](MazeBlocks::WallBlock, const glm::mat4& m) { matrices.push_back(m); });
    return matrices;
}

std::vector<glm::mat4> perBlockFood(const MazeGrid& grid) {
    std::vector<glm::mat4> matrices;
    MazeBlocks::forEachFoodBlock(grid,
                                 [&](int, int, const glm::mat4& m) { matrices.push_back(m); });
    return matrices;
}

void expectNearToFar(const std::vector<glm::mat4>& matrices, const glm::vec3& eye) {
    for (std::size_t i = 1; i < matrices.size(); ++i) {
        EXPECT_LE(glm::length(glm::vec3(matrices[i - 1][3]) - eye),
                  glm::length(glm::vec3(matrices[i][3]) - eye))
            << "block " << i;
    }
}

}  // namespace

// The instanced draws show exactly what the per-block draws show, wherever
// the eye stands: the start, a room inside, the exit, outside the maze.
TEST(MazeInstances, EveryBlockOfTheDesktopsDrawsOnceNearestFirst) {
    Maze maze(10, 10, seededPick(7));
    const MazeGrid& grid = maze.getGrid();
    for (const glm::vec3 eye : {glm::vec3(2, 1.7f, 0), glm::vec3(10, 1.7f, 2),
                                glm::vec3(38, 1.7f, 40), glm::vec3(-30, 5, -30)}) {
        SCOPED_TRACE(eye.x);
        const std::vector<glm::mat4> walls = MazeInstances::wallBlocksNearToFar(grid, eye);
        const std::vector<glm::mat4> food = MazeInstances::foodBlocksNearToFar(grid, eye);
        EXPECT_EQ(sorted(walls), sorted(perBlockWalls(grid)));
        EXPECT_EQ(sorted(food), sorted(perBlockFood(grid)));
        expectNearToFar(walls, eye);
        expectNearToFar(food, eye);
    }
}

TEST(MazeInstances, AnEatenCubeLeavesTheBufferAndTheWallsStay) {
    Maze maze(10, 10, seededPick(7));
    const MazeGrid& grid = maze.getGrid();
    const glm::vec3 eye(2, 1.7f, 2);
    const std::vector<glm::mat4> wallsBefore = MazeInstances::wallBlocksNearToFar(grid, eye);
    const std::vector<glm::mat4> foodBefore = MazeInstances::foodBlocksNearToFar(grid, eye);
    ASSERT_EQ(foodBefore.front(), MazeBlocks::foodMatrix(1, 1));  // the cube in the player's room
    grid.setCell(1, 1, CellCode::openFloor);

    std::vector<glm::mat4> foodAfter = MazeInstances::foodBlocksNearToFar(grid, eye);
    EXPECT_EQ(foodAfter, std::vector<glm::mat4>(foodBefore.begin() + 1, foodBefore.end()));
    EXPECT_EQ(MazeInstances::wallBlocksNearToFar(grid, eye), wallsBefore);
}
