#pragma once

#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "maze/MazeGrid.h"

// The page draws each model's blocks in one instanced draw, from a buffer of
// their model matrices: the blocks and matrices of MazeBlocks that the view
// can show, ordered nearest to the eye first, so that the depth test rejects
// the pixels a near wall hides before the stone of the far ones behind it is
// shaded. A block wholly outside the view is left out: the software renderer
// would run the vertex shader on its every corner only to clip it all, and
// on the page that costs as much as a sixth of the frame.
namespace MazeInstances {

// Every block of the wall model (pillars, walls, floor, the entrance block)
// that may show in the view of `viewProjection` from `eye`.
std::vector<glm::mat4> wallBlocksNearToFar(const MazeGrid& grid, const glm::vec3& eye,
                                           const glm::mat4& viewProjection);

// Every uneaten food cube that may show in that view.
std::vector<glm::mat4> foodBlocksNearToFar(const MazeGrid& grid, const glm::vec3& eye,
                                           const glm::mat4& viewProjection);

// False only when the block of `model` (the model's cube, from -1 to 1 on
// each axis) lies wholly beyond one side of the view: left, right, above,
// below, or behind the eye. The near and far planes are not tested, as the
// shaders draw with a near plane of their own, and the maze lies well within
// the far one.
bool mayShow(const glm::mat4& viewProjection, const glm::mat4& model);

}  // namespace MazeInstances
