#include "maze/MazeInstances.h"

#include <algorithm>
#include <utility>

#include <glm/geometric.hpp>

#include "maze/MazeBlocks.h"

namespace MazeInstances {

namespace {

// Blocks of equal distance keep the grid's order, so that the same view
// always uploads the same buffer.
std::vector<glm::mat4> nearToFar(std::vector<std::pair<float, glm::mat4>> blocks) {
    std::stable_sort(blocks.begin(), blocks.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<glm::mat4> matrices;
    matrices.reserve(blocks.size());
    for (const auto& block : blocks) {
        matrices.push_back(block.second);
    }
    return matrices;
}

// The squared distance from the eye to the block's centre, which the
// matrix's translation is.
std::pair<float, glm::mat4> fromEye(const glm::vec3& eye, const glm::mat4& matrix) {
    const glm::vec3 away = glm::vec3(matrix[3]) - eye;
    return {glm::dot(away, away), matrix};
}

}  // namespace

std::vector<glm::mat4> wallBlocksNearToFar(const MazeGrid& grid, const glm::vec3& eye) {
    std::vector<std::pair<float, glm::mat4>> blocks;
    MazeBlocks::forEachWallBlock(grid, [&](MazeBlocks::WallBlock, const glm::mat4& matrix) {
        blocks.push_back(fromEye(eye, matrix));
    });
    return nearToFar(std::move(blocks));
}

std::vector<glm::mat4> foodBlocksNearToFar(const MazeGrid& grid, const glm::vec3& eye) {
    std::vector<std::pair<float, glm::mat4>> blocks;
    MazeBlocks::forEachFoodBlock(
        grid, [&](int, int, const glm::mat4& matrix) { blocks.push_back(fromEye(eye, matrix)); });
    return nearToFar(std::move(blocks));
}

}  // namespace MazeInstances
