#include "maze/Maze.h"
#include "render/Model.h"

void Maze::setLightPosition(const glm::vec3& lightPosition) {
    // Only the walls are lit by the player's light; the food keeps its own.
    wallModel->setLightPosition(lightPosition);
}

void Maze::draw(const Player& player) {
    drawing.draw(grid, *wallModel, *foodModel, player);
}

void Maze::release() {
    drawing.release();
}
