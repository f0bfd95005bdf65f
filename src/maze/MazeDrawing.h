#pragma once

#include <cstdint>
#include <vector>

#include <glm/mat4x4.hpp>

#include "maze/MazeGrid.h"

class Model;
class Player;

// How the maze's blocks reach GL, one way per platform (desktop/ and web/;
// the build takes one of them). The desktop draws every block on its own,
// with its own matrix uploads. The page draws all blocks of a model in one
// instanced draw from a buffer of their matrices, near ones first: every
// WebGL call passes the browser's checks, and on a phone the calls of
// hundreds of draws cost more than the pixels.
class MazeDrawing {
  public:
    // Framed by each model's bind and unbind: the wall model's blocks, then
    // the food's.
    void draw(const MazeGrid& grid, const Model& wallModel, const Model& foodModel,
              const Player& player);
    // Deletes what the page's draws keep in GL; the destructor makes no GL
    // call.
    void release();

    // One model's instanced draw, as the page keeps it between frames; the
    // desktop leaves both empty. The names are owned here and deleted by
    // release().
    struct InstancedBlocks {
        std::uint32_t vertexArray = 0;
        // The vertex array the rest of the frame draws with, bound again after.
        std::uint32_t gameVertexArray = 0;
        std::uint32_t matrixBuffer = 0;
        std::int32_t viewProjectionLocation = -1;
        std::int32_t viewLocation = -1;
        // What the buffer holds: a frame that sees the same blocks in the
        // same order uploads nothing.
        std::vector<glm::mat4> uploaded;
    };

  private:
    InstancedBlocks wallBlocks;
    InstancedBlocks foodBlocks;
};
