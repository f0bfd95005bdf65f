#pragma once

#include <cmath>
#include <utility>

#include <glm/vec3.hpp>

// The one-character cell codes of the maze grid. The three solid codes are the
// three highest values, so "is it a wall?" is a single comparison.
namespace CellCode {
constexpr char pillar = 'w';          // even row, even column; also everything outside the grid
constexpr char wallThinAlongX = 'x';  // closed slot between rooms that neighbour along x
constexpr char wallThinAlongZ = 'y';  // closed slot between rooms that neighbour along z
constexpr char undecided = 'a';       // not yet visited by generation
constexpr char openFloor = '0';       // opened slot, the entrance, eaten food
constexpr char food = 'o';            // every room, and the exit opening
}  // namespace CellCode

// The kinds of cell, from the row and column alone: rows and columns take
// turns, one line of pillars and the slots between them, then one line of
// rooms and the slots between those. A pillar stands where a pillar row
// crosses a pillar column, a room where two room lines cross, and every other
// cell is a slot between two rooms. The wall shader is written from the same
// two numbers (tools/MazeMeasures.cpp).
constexpr int cellKindPeriod = 2;
constexpr int pillarLineRemainder = 0;

constexpr bool isPillarLine(int index) {
    return index % cellKindPeriod == pillarLineRemainder;
}

constexpr bool isPillarCell(int row, int col) {
    return isPillarLine(row) && isPillarLine(col);
}

// For cells of the grid: outside it nothing is a room, whatever the parity.
constexpr bool isRoomCell(int row, int col) {
    return !isPillarLine(row) && !isPillarLine(col);
}

// The code a slot gets when it closes: in a row of rooms it stands between
// rooms that neighbour along x, in a row of pillars between rooms that
// neighbour along z.
constexpr char closedSlotCode(int slotRow) {
    return isPillarLine(slotRow) ? CellCode::wallThinAlongZ : CellCode::wallThinAlongX;
}

// The cell in front of the entrance, outside the grid: it reads as a wall so
// that the player cannot walk back out of the maze, and a wall block seals it.
constexpr int entranceFrontRow = -1;
constexpr int entranceFrontColumn = 1;

// A grid has a slot or pillar on each side of every room. A negative room
// count would ask for a negative array length; it is treated as no rooms,
// which leaves a one-cell-thin grid that is not carved.
constexpr int gridSizeFor(int roomCount) {
    return 2 * (roomCount > 0 ? roomCount : 0) + 1;
}

// Solid exactly when the code, as a signed char, is "w" or greater.
inline bool isSolid(char code) {
    return static_cast<signed char>(code) >= static_cast<signed char>(CellCode::pillar);
}

// Where the cells lie in the world: rows run along z and columns along x, the
// cell (row, col) is centred on (cellPitch * col, cellPitch * row), and along
// each axis cell k covers [2k - 1, 2k + 1). The drawing, the control step, the
// autopilot and the food all place cells by these, and the shaders take
// cellPitch too.
constexpr float cellPitch = 2.0f;  // world units between neighbouring cell centres

inline glm::vec3 cellCentre(int row, int col, float y) {
    return glm::vec3(cellPitch * static_cast<float>(col), y, cellPitch * static_cast<float>(row));
}

// Where cell k begins along an axis: 2k - 1; it ends one pitch further on.
constexpr int cellLowEdge(int cell) {
    return 2 * cell - 1;
}

// Farther from the origin than any maze reaches, in world units.
constexpr float farOutsideUnits = 1e9f;

// The world-to-cell rule along one axis, for negative coordinates too, so that
// the block sealing the entrance (z from -3 to -1) is row -1 and reads as a
// wall. The coordinate is floored and the rest is integer arithmetic: adding
// 1 in floating point would round 1 - 2^-24 up into the next cell.
inline int cellIndexOf(float worldCoordinate) {
    // Bounded far outside any maze first (fmin and fmax take a NaN as far
    // away too), so that no float overflows the int.
    const float floored =
        std::fmax(-farOutsideUnits, std::fmin(farOutsideUnits, std::floor(worldCoordinate)));
    // Whole units above the edge at -1, where cell 0 begins.
    const int units = static_cast<int>(floored) + 1;
    // Halved rounding down, also below zero.
    return units >= 0 ? units / 2 : -((1 - units) / 2);
}

// How far into its cell a coordinate lies, measured from the cell's low edge,
// in [0, 2), for coordinates from -1 up (the grid and its entrance side). The
// parity of the truncated coordinate tells which half of the cell it is in.
inline float offsetInCell(float coordinate) {
    const int whole = static_cast<int>(coordinate);
    const float fraction = coordinate - static_cast<float>(whole);
    return fraction + (whole % 2 == 0 ? 1.0f : 0.0f);
}

// A small value type over the maze's cells. Copies are shallow: they share
// `cells` with the record they came from, so a cell written through a copy
// changes the maze itself (food collection relies on this).
struct MazeGrid {
    char** cells = nullptr;  // rows arrays of cols chars; owned by the Maze
    int rows = 0;            // runs along world z
    int cols = 0;            // runs along world x

    // Any row and column may be asked. Outside the grid the answer is a wall,
    // except for the cell in front of the entrance (-1, 1), which is a wall on
    // purpose, and the cell beyond the exit opening (rows, cols - 2), which
    // reads as food so that the player may step out to the sculpture.
    char cellAt(int row, int col) const;
    bool inBounds(int row, int col) const;
    // No bounds check: callers test inBounds first.
    void setCell(int row, int col, char code) const;
};

using CellPosition = std::pair<int, int>;  // (row, column)

// Where the maze opens: the entrance in the first row, the exit opening in
// the last, and the cell just beyond the exit, outside the grid, where the
// sculpture stands.
constexpr CellPosition entranceCell{0, 1};

inline CellPosition exitOpeningCell(const MazeGrid& grid) {
    return {grid.rows - 1, grid.cols - 2};
}

inline CellPosition cellBeyondExit(const MazeGrid& grid) {
    return {grid.rows, grid.cols - 2};
}
