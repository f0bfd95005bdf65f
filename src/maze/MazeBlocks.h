#pragma once

#include <glm/gtc/matrix_transform.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "maze/MazeGrid.h"

// What the maze draws, as model matrices computed afresh from the grid: the
// drawing code is a loop over these, and a test can call them without GL.
// Placement fits a cube mesh spanning -1 to 1 on each axis.
namespace MazeBlocks {

constexpr float wallCentreY = 1.0f;    // pillars, walls and food stand on the floor's top face
constexpr float floorCentreY = -1.0f;  // so that the floor's top face lies at y = 0
// Walls are thinner than pillars, so a pillar stands 0.2 units proud of the
// wall faces beside it and the corners read as posts.
constexpr float wallThickness = 0.8f;
constexpr float foodSize = 0.1f;
enum class WallBlock { pillar, wallThinAlongX, wallThinAlongZ, floor, entrance };

inline glm::mat4 translationTo(const glm::vec3& centre) {
    return glm::translate(glm::mat4(1.0f), centre);
}

// A translation after a scaling along the axes, written out column by column.
inline glm::mat4 scaledAt(const glm::vec3& scale, const glm::vec3& centre) {
    glm::mat4 matrix(1.0f);
    matrix[0][0] = scale.x;
    matrix[1][1] = scale.y;
    matrix[2][2] = scale.z;
    matrix[3] = glm::vec4(centre, 1.0f);
    return matrix;
}

inline glm::mat4 pillarMatrix(int row, int col) {
    return translationTo(cellCentre(row, col, wallCentreY));
}

inline glm::mat4 wallThinAlongXMatrix(int row, int col) {
    return scaledAt(glm::vec3(wallThickness, 1.0f, 1.0f), cellCentre(row, col, wallCentreY));
}

inline glm::mat4 wallThinAlongZMatrix(int row, int col) {
    return scaledAt(glm::vec3(1.0f, 1.0f, wallThickness), cellCentre(row, col, wallCentreY));
}

inline glm::mat4 floorMatrix(int row, int col) {
    return translationTo(cellCentre(row, col, floorCentreY));
}

// The cell in front of the entrance reads as a wall; its block seals the view
// out of the maze behind the player's start.
inline glm::mat4 entranceMatrix() {
    return pillarMatrix(entranceFrontRow, entranceFrontColumn);
}

inline glm::mat4 foodMatrix(int row, int col) {
    return scaledAt(glm::vec3(foodSize), cellCentre(row, col, wallCentreY));
}

// Calls visit(WallBlock, const glm::mat4&) for every block of the wall model,
// row by row: the cell's pillar or wall (if any), then its floor; the entrance
// block last. Open cells get only their floor.
template <typename Visit>
void forEachWallBlock(const MazeGrid& grid, Visit&& visit) {
    for (int row = 0; row < grid.rows; ++row) {
        for (int col = 0; col < grid.cols; ++col) {
            const char code = grid.cellAt(row, col);
            if (code == CellCode::pillar) {
                visit(WallBlock::pillar, pillarMatrix(row, col));
            } else if (code == CellCode::wallThinAlongX) {
                visit(WallBlock::wallThinAlongX, wallThinAlongXMatrix(row, col));
            } else if (code == CellCode::wallThinAlongZ) {
                visit(WallBlock::wallThinAlongZ, wallThinAlongZMatrix(row, col));
            }
            visit(WallBlock::floor, floorMatrix(row, col));
        }
    }
    visit(WallBlock::entrance, entranceMatrix());
}

// Calls visit(row, col, const glm::mat4&) for every food cell inside the grid,
// in the same order; eaten food is open floor and is skipped.
template <typename Visit>
void forEachFoodBlock(const MazeGrid& grid, Visit&& visit) {
    for (int row = 0; row < grid.rows; ++row) {
        for (int col = 0; col < grid.cols; ++col) {
            if (grid.cellAt(row, col) == CellCode::food) {
                visit(row, col, foodMatrix(row, col));
            }
        }
    }
}

}  // namespace MazeBlocks
