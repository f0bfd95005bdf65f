#pragma once

#include <vector>

#include "maze/Maze.h"

// The walk the autopilot takes: every open cell of the maze, each next cell a
// side neighbour of the one before, from the entrance (row 0, column 1)
// through every room and corridor and finally out through the exit opening
// into the cell beyond it, where the sculpture stands. Side branches are
// walked in and back out; the branch that leads to the exit is always taken
// last, so the walk never has to come back from the exit. In a perfect maze
// that is the shortest walk from the entrance through every cell to the exit.
std::vector<CellPosition> planTour(const MazeGrid& grid);

// The number of cell-to-cell steps of the shortest walk from the entrance that
// enters every room (ending in whichever room is farthest away). Each step is
// one cell width, 2 world units. Assumes a perfect maze.
int shortestRoomWalkSteps(const MazeGrid& grid);
