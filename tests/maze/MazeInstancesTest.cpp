#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

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

// The view of a 4:3 window from `eye`, turned `yawDegrees` from +z towards +x.
glm::mat4 viewFrom(const glm::vec3& eye, float yawDegrees) {
    const float yaw = glm::radians(yawDegrees);
    const glm::vec3 ahead(std::sin(yaw), 0.0f, std::cos(yaw));
    return glm::perspective(glm::radians(45.0f), 4.0f / 3.0f, 0.1f, 100.0f) *
           glm::lookAt(eye, eye + ahead, glm::vec3(0, 1, 0));
}

// Whether any point of a 5 x 5 x 5 lattice through the block (its corners,
// edges, faces and inside) lies in front of the eye and within the view's
// four sides.
bool somePointInView(const glm::mat4& viewProjection, const glm::mat4& model) {
    for (int i = 0; i < 125; ++i) {
        const glm::vec4 point =
            viewProjection * model *
            glm::vec4(i % 5 * 0.5f - 1, i / 5 % 5 * 0.5f - 1, i / 25 * 0.5f - 1, 1);
        if (point.w > 0 && std::abs(point.x) <= point.w && std::abs(point.y) <= point.w) {
            return true;
        }
    }
    return false;
}

// `kept` holds each block of `all` at most once, and every block of `all`
// with a point in view.
void expectKeptInView(const std::vector<glm::mat4>& kept, const std::vector<glm::mat4>& all,
                      const glm::mat4& viewProjection) {
    const std::vector<glm::mat4> keptSorted = sorted(kept);
    EXPECT_EQ(std::adjacent_find(keptSorted.begin(), keptSorted.end()), keptSorted.end());
    for (const glm::mat4& block : kept) {
        EXPECT_NE(std::find(all.begin(), all.end(), block), all.end());
    }
    for (const glm::mat4& block : all) {
        if (somePointInView(viewProjection, block)) {
            EXPECT_NE(std::find(kept.begin(), kept.end(), block), kept.end())
                << "the block at " << block[3].x << ", " << block[3].y << ", " << block[3].z;
        }
    }
}

}  // namespace

// The instanced draws show what the per-block draws show, wherever the eye
// stands and looks, drawing at most a share of the blocks: nothing the view
// holds is left out, nothing is drawn twice, and nearer blocks come first.
TEST(MazeInstances, EveryBlockTheViewHoldsDrawsOnceNearestFirst) {
    Maze maze(10, 10, seededPick(7));
    const MazeGrid& grid = maze.getGrid();
    const std::vector<glm::mat4> allWalls = perBlockWalls(grid);
    struct View {
        glm::vec3 eye;
        float yawDegrees;
        float mostKept;  // the largest share of the walls' blocks drawn
    };
    for (const View& view : std::vector<View>{
             {{2, 1.7f, 0}, 0, 0.5f},        // the start
             {{10, 1.7f, 2}, 90, 0.5f},      // along the first corridor
             {{1, 1.7f, 1.5f}, 180, 0.5f},   // against a wall that reaches behind the eye
             {{10, 1.7f, 10}, 225, 0.5f},    // inside, aslant
             {{38, 1.7f, 40}, 180, 0.5f},    // back from the exit
             {{-30, 5, -30}, 45, 1.0f},      // outside, towards the maze
             {{-30, 5, -30}, 225, 0.0f}}) {  // outside, away from it
        SCOPED_TRACE(testing::Message() << view.eye.x << ", " << view.eye.z << " at "
                                        << view.yawDegrees << " degrees");
        const glm::mat4 viewProjection = viewFrom(view.eye, view.yawDegrees);
        const std::vector<glm::mat4> walls =
            MazeInstances::wallBlocksNearToFar(grid, view.eye, viewProjection);
        const std::vector<glm::mat4> food =
            MazeInstances::foodBlocksNearToFar(grid, view.eye, viewProjection);
        expectKeptInView(walls, allWalls, viewProjection);
        expectKeptInView(food, perBlockFood(grid), viewProjection);
        EXPECT_LE(walls.size(), view.mostKept * allWalls.size());
        expectNearToFar(walls, view.eye);
        expectNearToFar(food, view.eye);
    }
}

TEST(MazeInstances, AnEatenCubeLeavesTheBufferAndTheWallsStay) {
    Maze maze(10, 10, seededPick(7));
    const MazeGrid& grid = maze.getGrid();
    // Outside the entrance, looking in at the first room's cube.
    const glm::vec3 eye(2, 1.7f, -1);
    const glm::mat4 viewProjection = viewFrom(eye, 0);
    const std::vector<glm::mat4> wallsBefore =
        MazeInstances::wallBlocksNearToFar(grid, eye, viewProjection);
    const std::vector<glm::mat4> foodBefore =
        MazeInstances::foodBlocksNearToFar(grid, eye, viewProjection);
    ASSERT_EQ(foodBefore.front(), MazeBlocks::foodMatrix(1, 1));  // the cube in the player's room
    grid.setCell(1, 1, CellCode::openFloor);

    std::vector<glm::mat4> foodAfter =
        MazeInstances::foodBlocksNearToFar(grid, eye, viewProjection);
    EXPECT_EQ(foodAfter, std::vector<glm::mat4>(foodBefore.begin() + 1, foodBefore.end()));
    EXPECT_EQ(MazeInstances::wallBlocksNearToFar(grid, eye, viewProjection), wallsBefore);
}
