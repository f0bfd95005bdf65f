#include "maze/MazeDrawing.h"

#include "maze/MazeBlocks.h"
#include "render/Model.h"

void MazeDrawing::draw(const MazeGrid& grid, const Model& wallModel, const Model& foodModel,
                       const Player& player) {
    // Each model is bound once for all of its blocks: a bind uploads the
    // textures and the light, a block only its matrices.
    wallModel.bind();
    MazeBlocks::forEachWallBlock(grid, [&](MazeBlocks::WallBlock, const glm::mat4& matrix) {
        wallModel.drawWithMatrix(player, matrix);
    });
    wallModel.unbind();

    foodModel.bind();
    MazeBlocks::forEachFoodBlock(
        grid, [&](int, int, const glm::mat4& matrix) { foodModel.drawWithMatrix(player, matrix); });
    foodModel.unbind();
}

// The desktop keeps nothing in GL between frames.
void MazeDrawing::release() {}
