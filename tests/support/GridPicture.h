#pragma once

#include <string>
#include <vector>

#include "maze/MazeGrid.h"

// A grid drawn as text, one string per row (row 0 first, nearest z = 0), one
// character per cell code.
using Picture = std::vector<std::string>;

// A MazeGrid that owns its cells, built from a picture, for tests that need a
// grid without a Maze around it.
class GridPicture {
  public:
    explicit GridPicture(const Picture& picture);
    GridPicture(const GridPicture&) = delete;
    GridPicture& operator=(const GridPicture&) = delete;

    // The record shares this object's cells, as the maze's record shares its.
    const MazeGrid& grid() const { return record; }

  private:
    Picture storage;
    std::vector<char*> rowPointers;
    MazeGrid record;
};

// The grid's cells as a picture, for comparing whole grids in one assertion.
Picture pictureOf(const MazeGrid& grid);

// Writes a picture of the grid's exact size over its cells; a test reshapes a
// generated maze this way. Fails the current test on a size mismatch.
void paintPicture(const MazeGrid& grid, const Picture& picture);

// How many cells of the grid hold the code.
int countCells(const MazeGrid& grid, char code);
