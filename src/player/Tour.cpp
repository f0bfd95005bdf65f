#include "player/Tour.h"

#include <algorithm>
#include <queue>

namespace {

const int sideSteps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};

bool isOpen(const MazeGrid& grid, const CellPosition& cell) {
    return grid.inBounds(cell.first, cell.second) && !isSolid(grid.cellAt(cell.first, cell.second));
}

std::vector<CellPosition> openNeighbours(const MazeGrid& grid, const CellPosition& cell) {
    std::vector<CellPosition> neighbours;
    for (const auto& step : sideSteps) {
        const CellPosition next{cell.first + step[0], cell.second + step[1]};
        if (isOpen(grid, next)) {
            neighbours.push_back(next);
        }
    }
    return neighbours;
}

// Breadth-first over the open cells from the entrance: each cell's distance
// in steps and the cell it was reached from.
struct CellSearch {
    std::vector<int> distance;  // -1 where not reached
    std::vector<CellPosition> cameFrom;
    int cols = 0;

    int& distanceOf(const CellPosition& cell) { return distance[index(cell)]; }
    CellPosition& cameFromOf(const CellPosition& cell) { return cameFrom[index(cell)]; }
    int index(const CellPosition& cell) const { return cell.first * cols + cell.second; }
};

CellSearch searchFromEntrance(const MazeGrid& grid) {
    CellSearch search;
    search.cols = grid.cols;
    search.distance.assign(static_cast<size_t>(grid.rows * grid.cols), -1);
    search.cameFrom.assign(search.distance.size(), entranceCell);
    if (!isOpen(grid, entranceCell)) {
        return search;
    }
    std::queue<CellPosition> frontier;
    search.distanceOf(entranceCell) = 0;
    frontier.push(entranceCell);
    while (!frontier.empty()) {
        const CellPosition cell = frontier.front();
        frontier.pop();
        for (const CellPosition& next : openNeighbours(grid, cell)) {
            if (search.distanceOf(next) < 0) {
                search.distanceOf(next) = search.distanceOf(cell) + 1;
                search.cameFromOf(next) = cell;
                frontier.push(next);
            }
        }
    }
    return search;
}

// Depth first, one explicit stack frame per cell on the current branch: the
// cells still to enter from it, the exit's branch last of all.
struct Branch {
    CellPosition cell;
    std::vector<CellPosition> toEnter;
};

std::vector<CellPosition> branchesOf(const MazeGrid& grid, const CellPosition& cell,
                                     const CellPosition& from, const std::vector<bool>& onExitPath,
                                     const CellSearch& search) {
    std::vector<CellPosition> next;
    for (const CellPosition& neighbour : openNeighbours(grid, cell)) {
        if (neighbour != from) {
            next.push_back(neighbour);
        }
    }
    // Taken from the back: the exit's branch goes to the front, to be last.
    std::stable_partition(next.begin(), next.end(), [&](const CellPosition& c) {
        return onExitPath[static_cast<size_t>(search.index(c))];
    });
    return next;
}

}  // namespace

std::vector<CellPosition> planTour(const MazeGrid& grid) {
    CellSearch search = searchFromEntrance(grid);
    const CellPosition exit = exitOpeningCell(grid);
    if (!isOpen(grid, entranceCell) || search.distanceOf(exit) < 0) {
        return {};
    }
    std::vector<bool> onExitPath(search.distance.size(), false);
    for (CellPosition cell = exit; cell != entranceCell; cell = search.cameFromOf(cell)) {
        onExitPath[static_cast<size_t>(search.index(cell))] = true;
    }

    std::vector<CellPosition> tour{entranceCell};
    std::vector<Branch> branches{
        {entranceCell, branchesOf(grid, entranceCell, entranceCell, onExitPath, search)}};
    while (!branches.empty()) {
        Branch& current = branches.back();
        if (current.toEnter.empty()) {
            branches.pop_back();
            // Back out of a finished side branch; the exit's branch ends the
            // walk where it is.
            if (!branches.empty() && tour.back() != exit) {
                tour.push_back(branches.back().cell);
            }
            continue;
        }
        const CellPosition next = current.toEnter.back();
        current.toEnter.pop_back();
        tour.push_back(next);
        branches.push_back({next, branchesOf(grid, next, current.cell, onExitPath, search)});
    }
    tour.push_back(cellBeyondExit(grid));
    return tour;
}

int shortestRoomWalkSteps(const MazeGrid& grid) {
    CellSearch search = searchFromEntrance(grid);
    // Every open cell but the exit opening lies on the way to some room, so
    // the walk covers that tree: each step twice, except those on the way to
    // the room it ends in.
    int treeCells = 0;
    int farthestRoom = 0;
    for (int row = 0; row < grid.rows; ++row) {
        for (int col = 0; col < grid.cols; ++col) {
            const CellPosition cell{row, col};
            const int distance = search.distanceOf(cell);
            if (distance < 0 || cell == exitOpeningCell(grid)) {
                continue;
            }
            ++treeCells;
            if (isRoomCell(cell.first, cell.second)) {
                farthestRoom = std::max(farthestRoom, distance);
            }
        }
    }
    return treeCells == 0 ? 0 : 2 * (treeCells - 1) - farthestRoom;
}
