#include "maze/Maze.h"
#include "maze/MazeBlocks.h"
#include "render/Model.h"

void Maze::setLightPosition(const glm::vec3& lightPosition) {
    // Only the walls are lit by the player's light; the food keeps its own.
    wallModel->setLightPosition(lightPosition);
}

void Maze::draw(const Player& player) const {
    // Each model is bound once for all of its blocks: a bind uploads the
    // textures and the light, a block only its matrices.
    wallModel->bind();
    MazeBlocks::forEachWallBlock(grid, [&](MazeBlocks::WallBlock, const glm::mat4& matrix) {
        wallModel->drawWithMatrix(player, matrix);
    });
    wallModel->unbind();

    foodModel->bind();
    MazeBlocks::forEachFoodBlock(grid, [&](int, int, const glm::mat4& matrix) {
        foodModel->drawWithMatrix(player, matrix);
    });
    foodModel->unbind();
}
