#include "maze/Maze.h"

Maze::Maze(int roomRows, int roomColumns) : Maze(roomRows, roomColumns, randomInt) {}

Maze::Maze(int roomRows, int roomColumns, PickFunction pickFunction)
    : pick(std::move(pickFunction)) {
    setRows(roomRows);
    setColumns(roomColumns);
    generate();
}

Maze::~Maze() {
    freeGrid();
}

void Maze::setRows(int roomRows) {
    grid.rows = gridSizeFor(roomRows);
    resetGrid();
}

void Maze::setColumns(int roomColumns) {
    grid.cols = gridSizeFor(roomColumns);
    resetGrid();
}

void Maze::resetGrid() {
    freeGrid();
    grid.cells = new char*[grid.rows];
    allocatedRows = grid.rows;
    for (int row = 0; row < grid.rows; ++row) {
        grid.cells[row] = new char[grid.cols];
        for (int col = 0; col < grid.cols; ++col) {
            grid.cells[row][col] = isPillarCell(row, col) ? CellCode::pillar : CellCode::undecided;
        }
    }
}

void Maze::freeGrid() {
    if (grid.cells == nullptr) {
        return;
    }
    for (int row = 0; row < allocatedRows; ++row) {
        delete[] grid.cells[row];
    }
    delete[] grid.cells;
    grid.cells = nullptr;
    allocatedRows = 0;
}
