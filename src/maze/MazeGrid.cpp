#include "maze/MazeGrid.h"

namespace {
// Counted from the grid's far edges: the cell just beyond the exit opening,
// where the sculpture stands, reads as food so that the player may step out.
constexpr int exitBeyondColumnFromEnd = 2;
}  // namespace

char MazeGrid::cellAt(int row, int col) const {
    if (row == entranceFrontRow && col == entranceFrontColumn) {
        return CellCode::pillar;
    }
    if (row == rows && col == cols - exitBeyondColumnFromEnd) {
        return CellCode::food;
    }
    if (inBounds(row, col)) {
        return cells[row][col];
    }
    return CellCode::pillar;
}

bool MazeGrid::inBounds(int row, int col) const {
    return row >= 0 && col >= 0 && row < rows && col < cols;
}

void MazeGrid::setCell(int row, int col, char code) const {
    cells[row][col] = code;
}
