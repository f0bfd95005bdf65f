#include "maze/MazeGrid.h"

char MazeGrid::cellAt(int row, int col) const {
    if (row == entranceFrontRow && col == entranceFrontColumn) {
        return CellCode::pillar;
    }
    // Where the sculpture stands: food, so that the player may step out.
    if (CellPosition(row, col) == cellBeyondExit(*this)) {
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
