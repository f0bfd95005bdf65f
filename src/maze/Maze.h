#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <glm/vec3.hpp>

#include "maze/MazeDrawing.h"
#include "maze/MazeGrid.h"

class Model;
class Player;

// Draws an int uniformly from lo to hi inclusive, from one random device and
// one Mersenne Twister seeded once, on the first call, for the whole run.
int randomInt(int lo, int hi);

// Chooses which of the candidates at the recent end of the list generation
// takes next: a value from lo to hi inclusive. The game uses randomInt; tests
// pass their own to make generation repeatable.
using PickFunction = std::function<int(int lo, int hi)>;

// randomInt's draw over an engine of its own seeded with `seed`: the same
// seed gives the same maze on every run of the same build.
PickFunction seededPick(std::uint32_t seed);

class Maze {
  public:
    // Rooms along z, then along x; the maze generates itself here.
    Maze(int roomRows, int roomColumns);
    Maze(int roomRows, int roomColumns, PickFunction pick);
    ~Maze();
    Maze(const Maze&) = delete;
    Maze& operator=(const Maze&) = delete;

    void setRows(int roomRows);
    void setColumns(int roomColumns);
    void resetGrid();
    MazeGrid& getGrid() { return grid; }
    const MazeGrid& getGrid() const { return grid; }

    void generate();
    std::vector<CellPosition> unvisitedWalls(int row, int col) const;
    bool hasUnvisitedSide(int row, int col) const;
    void stepToUnvisited(CellPosition& pos) const;

    // The models are not owned; the scene releases them.
    void setWallModel(Model* model) { wallModel = model; }
    void setFoodModel(Model* model) { foodModel = model; }
    void setLightPosition(const glm::vec3& lightPosition);
    void draw(const Player& player);
    // Deletes what the platform's drawing keeps in GL (MazeDrawing).
    void release();

  private:
    void freeGrid();

    MazeGrid grid;
    Model* wallModel = nullptr;
    Model* foodModel = nullptr;
    MazeDrawing drawing;
    PickFunction pick;
    // How many row arrays the storage holds: `grid.rows` may already have
    // changed when resetGrid frees the previous storage.
    int allocatedRows = 0;
};
