#pragma once

#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "maze/MazeGrid.h"

// The page draws each model's blocks in one instanced draw, from a buffer of
// their model matrices: the very blocks and matrices of MazeBlocks, ordered
// nearest to the eye first, so that the depth test rejects the pixels a near
// wall hides before the stone of the far ones behind it is shaded.
namespace MazeInstances {

// Every block of the wall model (pillars, walls, floor, the entrance block).
std::vector<glm::mat4> wallBlocksNearToFar(const MazeGrid& grid, const glm::vec3& eye);

// Every uneaten food cube.
std::vector<glm::mat4> foodBlocksNearToFar(const MazeGrid& grid, const glm::vec3& eye);

}  // namespace MazeInstances
