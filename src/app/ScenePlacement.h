#pragma once

#include <glm/vec3.hpp>

#include "app/GameConstants.h"
#include "maze/Maze.h"
#include "player/Player.h"

// The centre of the outside cell just beyond the exit opening, where the
// sculpture stands, at its display height.
inline glm::vec3 sculpturePosition(const MazeGrid& grid) {
    const CellPosition beyond = cellBeyondExit(grid);
    return cellCentre(beyond.first, beyond.second, game::sculptureHeight);
}

// The light travels with the player, a little in front of the eye. The model
// shaders draw it back to the eye and lift it (tools/shaders/ModelVertex.glsl),
// so that no face the player sees can stand between it and the light.
inline glm::vec3 lightPositionFor(const Player& player) {
    return player.getPosition() + player.getDirection() * game::lightDistanceAheadOfEye;
}
