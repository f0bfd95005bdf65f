#include "app/Food.h"

#include <cstdio>

#include "maze/Maze.h"
#include "player/Player.h"

namespace {
// "Points: " (8), two ints of at most 11 characters each ("-2147483648"), the
// slash and the terminator: no pair of ints can be cut short.
constexpr int scoreLineBufferSize = 8 + 11 + 1 + 11 + 1;
// The closing line's words, two ints and a time of game seconds that no run
// comes near filling.
constexpr int closingLineBufferSize = 128;
// The exit opening's food, beside one in every room.
constexpr int exitOpeningFood = 1;
}  // namespace

void eatFood(const Player& player, Maze& maze, int& points) {
    const glm::vec3 pos = player.getPosition();
    // The copy shares the maze's cells: emptying the cell through it empties
    // the maze's own.
    const MazeGrid m = maze.getGrid();
    const int row = cellIndexOf(pos.z);
    const int column = cellIndexOf(pos.x);
    // The cell beyond the exit opening reads as food but is outside: the
    // in-bounds test keeps it from being counted or written.
    if (m.cellAt(row, column) == CellCode::food && m.inBounds(row, column)) {
        m.setCell(row, column, CellCode::openFloor);
        points += 1;
    }
}

int scoreTotal(int roomRows, int roomColumns) {
    return roomRows * roomColumns + exitOpeningFood;
}

std::string scoreLine(int points, int total) {
    char buffer[scoreLineBufferSize];
    std::snprintf(buffer, sizeof buffer, "Points: %3d/%-3d", points, total);
    return buffer;
}

std::string closingLine(int points, int total, double gameSeconds) {
    char line[closingLineBufferSize];
    std::snprintf(line, sizeof line,
                  "Points: %d/%d, the last food cube eaten after %.2f s of game time", points,
                  total, gameSeconds);
    return line;
}
