#include <algorithm>
#include <memory>
#include <random>

#include "maze/CandidateList.h"
#include "maze/Maze.h"

namespace {
// How many of the newest candidates the first pick may come from; every slot
// that is added singly widens it by one, so picks favour recent candidates
// from a tail that grows with the maze.
constexpr int initialWindowSize = 2;
// The smallest grid with a room in it: one room between two border lines.
constexpr int smallestCarvableGridSize = 3;

// Every entry the generator will ever list: the entrance, then for each room
// at most four slots, each listed at most twice.
std::size_t candidateCapacity(const MazeGrid& grid) {
    const std::size_t rooms = static_cast<std::size_t>(grid.rows / 2) * (grid.cols / 2);
    constexpr std::size_t entriesPerRoom = 4 * 2;
    return 1 + rooms * entriesPerRoom;
}

// An int from lo to hi inclusive, by Lemire's multiply-and-reject method on
// the engine's 32-bit draws. The standard's uniform_int_distribution leaves
// its method to each library: the browser's library would build another maze
// from the same seed. This is the method of the desktop's (GNU libstdc++),
// so every seed keeps the maze it has always had, in every build.
int drawInt(std::mt19937& engine, int lo, int hi) {
    const std::uint32_t range =
        static_cast<std::uint32_t>(hi) - static_cast<std::uint32_t>(lo) + 1u;
    std::uint64_t product = std::uint64_t{engine()} * range;
    std::uint32_t low = static_cast<std::uint32_t>(product);
    if (low < range) {
        const std::uint32_t threshold = (0u - range) % range;
        while (low < threshold) {
            product = std::uint64_t{engine()} * range;
            low = static_cast<std::uint32_t>(product);
        }
    }
    return lo + static_cast<int>(product >> 32);
}
}  // namespace

int randomInt(int lo, int hi) {
    // One device and one engine for the whole run, seeded once: each run gets
    // a maze of its own.
    static std::random_device device;
    static std::mt19937 engine(device());
    return drawInt(engine, lo, hi);
}

PickFunction seededPick(std::uint32_t seed) {
    // Shared, since the maze keeps a copy of the function and each copy must
    // go on drawing from the one sequence.
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int lo, int hi) { return drawInt(*engine, lo, hi); };
}

void Maze::generate() {
    if (grid.rows < smallestCarvableGridSize || grid.cols < smallestCarvableGridSize) {
        return;
    }
    const int lastRow = grid.rows - 1;
    const int lastCol = grid.cols - 1;
    for (int col = 1; col < lastCol; col += 2) {
        grid.setCell(0, col, CellCode::wallThinAlongZ);
        grid.setCell(lastRow, col, CellCode::wallThinAlongZ);
    }
    for (int row = 1; row < lastRow; row += 2) {
        grid.setCell(row, 0, CellCode::wallThinAlongX);
        grid.setCell(row, lastCol, CellCode::wallThinAlongX);
    }
    // The exit opening holds food that counts towards the total.
    const CellPosition exitOpening = exitOpeningCell(grid);
    grid.setCell(exitOpening.first, exitOpening.second, CellCode::food);
    grid.setCell(entranceCell.first, entranceCell.second, CellCode::undecided);

    CandidateList options(candidateCapacity(grid));
    options.append(entranceCell);
    int windowSize = initialWindowSize;
    while (!options.empty()) {
        const int n =
            static_cast<int>(std::min(options.size(), static_cast<std::size_t>(windowSize)));
        // A pick outside the window would take from beyond the list.
        const int idx = std::clamp(pick(0, n - 1), 0, n - 1);
        CellPosition pos = options.takeFromEnd(static_cast<std::size_t>(idx));
        // Listed twice, or closed since it was listed: nothing left to open.
        if (grid.cellAt(pos.first, pos.second) != CellCode::undecided) {
            continue;
        }
        grid.setCell(pos.first, pos.second, CellCode::openFloor);
        stepToUnvisited(pos);
        grid.setCell(pos.first, pos.second, CellCode::food);

        const std::vector<CellPosition> openings = unvisitedWalls(pos.first, pos.second);
        for (const CellPosition& slot : openings) {
            if (hasUnvisitedSide(slot.first, slot.second)) {
                options.append(slot);
                ++windowSize;
            } else {
                // Both rooms beside it are visited: opening it would make a loop.
                grid.setCell(slot.first, slot.second, closedSlotCode(slot.first));
            }
        }
        for (const CellPosition& slot : openings) {
            options.append(slot);
        }
    }
}

std::vector<CellPosition> Maze::unvisitedWalls(int row, int col) const {
    // The bounds leave out the border slots, which stay closed.
    std::vector<CellPosition> walls;
    const auto addIfUndecided = [&](bool inside, int r, int c) {
        if (inside && grid.cellAt(r, c) == CellCode::undecided) {
            walls.emplace_back(r, c);
        }
    };
    addIfUndecided(row >= 2, row - 1, col);
    addIfUndecided(row <= grid.rows - 3, row + 1, col);
    addIfUndecided(col >= 2, row, col - 1);
    addIfUndecided(col <= grid.cols - 3, row, col + 1);
    return walls;
}

bool Maze::hasUnvisitedSide(int row, int col) const {
    return grid.cellAt(row - 1, col) == CellCode::undecided ||
           grid.cellAt(row + 1, col) == CellCode::undecided ||
           grid.cellAt(row, col - 1) == CellCode::undecided ||
           grid.cellAt(row, col + 1) == CellCode::undecided;
}

void Maze::stepToUnvisited(CellPosition& pos) const {
    const int row = pos.first;
    const int col = pos.second;
    if (row != 0 && grid.cellAt(row - 1, col) == CellCode::undecided) {
        pos.first = row - 1;
    } else if (row != grid.rows - 1 && grid.cellAt(row + 1, col) == CellCode::undecided) {
        pos.first = row + 1;
    } else if (col != 0 && grid.cellAt(row, col - 1) == CellCode::undecided) {
        pos.second = col - 1;
    } else if (col != grid.cols - 1 && grid.cellAt(row, col + 1) == CellCode::undecided) {
        pos.second = col + 1;
    }
}
