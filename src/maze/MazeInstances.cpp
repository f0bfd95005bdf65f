#include "maze/MazeInstances.h"

#include <algorithm>
#include <array>
#include <utility>

#include <glm/geometric.hpp>
#include <glm/vec4.hpp>

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

// The cube's corners a hundredth beyond its faces: a corner that the
// shaders' own arithmetic rounds onto the edge of the view is kept.
constexpr float cornerReach = 1.01f;

// Clip coordinates of the block's eight corners.
std::array<glm::vec4, 8> clipCorners(const glm::mat4& viewProjection, const glm::mat4& model) {
    const glm::mat4 toClip = viewProjection * model;
    std::array<glm::vec4, 8> corners;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const glm::vec4 corner((i & 1) ? cornerReach : -cornerReach,
                               (i & 2) ? cornerReach : -cornerReach,
                               (i & 4) ? cornerReach : -cornerReach, 1.0f);
        corners[i] = toClip * corner;
    }
    return corners;
}

}  // namespace

bool mayShow(const glm::mat4& viewProjection, const glm::mat4& model) {
    const std::array<glm::vec4, 8> corners = clipCorners(viewProjection, model);
    const auto allBeyond = [&](auto beyond) {
        return std::all_of(corners.begin(), corners.end(), beyond);
    };
    return !(allBeyond([](const glm::vec4& c) { return c.x > c.w; }) ||
             allBeyond([](const glm::vec4& c) { return c.x < -c.w; }) ||
             allBeyond([](const glm::vec4& c) { return c.y > c.w; }) ||
             allBeyond([](const glm::vec4& c) { return c.y < -c.w; }) ||
             allBeyond([](const glm::vec4& c) { return c.w <= 0.0f; }));
}

namespace {

// Adds the block, with its distance from the eye, when the view may show it.
void keepIfShown(std::vector<std::pair<float, glm::mat4>>& blocks, const glm::vec3& eye,
                 const glm::mat4& viewProjection, const glm::mat4& matrix) {
    if (mayShow(viewProjection, matrix)) {
        blocks.push_back(fromEye(eye, matrix));
    }
}

}  // namespace

std::vector<glm::mat4> wallBlocksNearToFar(const MazeGrid& grid, const glm::vec3& eye,
                                           const glm::mat4& viewProjection) {
    std::vector<std::pair<float, glm::mat4>> blocks;
    MazeBlocks::forEachWallBlock(grid, [&](MazeBlocks::WallBlock, const glm::mat4& matrix) {
        keepIfShown(blocks, eye, viewProjection, matrix);
    });
    return nearToFar(std::move(blocks));
}

std::vector<glm::mat4> foodBlocksNearToFar(const MazeGrid& grid, const glm::vec3& eye,
                                           const glm::mat4& viewProjection) {
    std::vector<std::pair<float, glm::mat4>> blocks;
    MazeBlocks::forEachFoodBlock(grid, [&](int, int, const glm::mat4& matrix) {
        keepIfShown(blocks, eye, viewProjection, matrix);
    });
    return nearToFar(std::move(blocks));
}

}  // namespace MazeInstances
