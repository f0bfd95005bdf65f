#include "player/Controls.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "maze/Maze.h"
#include "player/Player.h"

namespace {
// Only the horizontal parts of the view vectors move the player: looking up
// or down shortens a step instead of lifting it.
const glm::vec3 horizontalOnly{1.0f, 0.0f, 1.0f};
// Offsets run from the cell's low edge, so the high neighbour's face lies a
// cell pitch away.
constexpr float farWallMargin = cellPitch - wallMargin;

// A minimised window reports no size; taking one pixel keeps the aspect ratio
// and the cursor centre finite.
int atLeastOnePixel(int sizePixels) {
    return sizePixels <= 0 ? 1 : sizePixels;
}

// The turn for a cursor offset from the centre: the difference is taken in
// double precision, as the cursor is reported, and then scaled.
// A cursor beyond what a float holds (only a damaged replay gives one) turns
// nothing, rather than leave the view vectors not a number.
float turnFor(float radiansPerPixel, int centrePixels, double cursorPixels) {
    const float turn =
        radiansPerPixel * static_cast<float>(static_cast<double>(centrePixels) - cursorPixels);
    return std::isfinite(turn) ? turn : 0.0f;
}

// A step to a position that is not a number, or longer than any step that
// stays inside the maze's walls, is refused before anything walks it: a clock
// or cursor from a damaged replay must not freeze the game walking a billion
// cells.
bool stepIsWalkable(const glm::vec3& from, const glm::vec3& to) {
    const float dx = to.x - from.x;
    const float dz = to.z - from.z;
    return std::isfinite(to.x) && std::isfinite(to.y) && std::isfinite(to.z) &&
           dx * dx + dz * dz <= longestStepUnits * longestStepUnits;
}

glm::vec3 candidatePosition(const ControlInput& input, const Player& player, float speed) {
    glm::vec3 newPos = player.getPosition();
    const glm::vec3 forward = player.getDirection() * horizontalOnly;
    const glm::vec3 sideways = player.getRight() * horizontalOnly;
    if (input.forward) {
        newPos += forward * speed;
    }
    if (input.back) {
        newPos -= forward * speed;
    }
    if (input.right) {
        newPos += sideways * speed;
    }
    if (input.left) {
        newPos -= sideways * speed;
    }
    newPos.y = input.crouch ? crouchingEyeHeight : standingEyeHeight;
    return newPos;
}

// One axis of a walk along a step through the cells it crosses: the cell the
// walk is in, which way it goes, how many cell edges are still ahead, and
// where along the step (0 at its start, 1 at its end) the next edge lies.
struct AxisWalk {
    int cell;
    int direction;
    int edgesLeft;
    double start;
    double length;

    double nextEdgeAt() const {
        if (edgesLeft == 0) {
            return std::numeric_limits<double>::infinity();
        }
        // Going up, the next edge is where the next cell begins.
        const double edge = cellLowEdge(direction > 0 ? cell + 1 : cell);
        return (edge - start) / length;
    }
    void crossEdge() {
        cell += direction;
        --edgesLeft;
    }
};

// Counting the edges rather than following the arithmetic makes the walk end
// in the very cell that the world-to-cell rule gives the destination.
AxisWalk axisWalk(float from, float to) {
    const int first = cellIndexOf(from);
    const int last = cellIndexOf(to);
    return {first, last >= first ? 1 : -1, std::abs(last - first), from,
            static_cast<double>(to) - from};
}

// The push along one axis, away from the low or the high neighbour's face.
float pushFrom(float offset, bool lowNeighbourSolid, bool highNeighbourSolid) {
    if (offset < wallMargin && lowNeighbourSolid) {
        return wallMargin - offset;
    }
    if (offset > farWallMargin && highNeighbourSolid) {
        return farWallMargin - offset;
    }
    return 0.0f;
}
}  // namespace

int windowCentrePixels(int sizePixels) {
    return atLeastOnePixel(sizePixels) / 2;
}

ControlEffects fitToWindow(Player& player, int widthPixels, int heightPixels) {
    ControlEffects effects;
    effects.viewportWidth = atLeastOnePixel(widthPixels);
    effects.viewportHeight = atLeastOnePixel(heightPixels);
    player.setAspectRatio(static_cast<float>(effects.viewportWidth) /
                          static_cast<float>(effects.viewportHeight));
    effects.cursorCentreX = windowCentrePixels(widthPixels);
    effects.cursorCentreY = windowCentrePixels(heightPixels);
    return effects;
}

ControlEffects stepControls(ControlClock& clock, const ControlInput& input, Player& player,
                            const Maze& maze) {
    if (!clock.started) {
        clock.lastFrameTime = input.now;
        clock.started = true;
    }
    const float deltaTime = static_cast<float>(input.now - clock.lastFrameTime);

    ControlEffects effects = fitToWindow(player, input.windowWidth, input.windowHeight);
    const int centreX = windowCentrePixels(input.windowWidth);
    const int centreY = windowCentrePixels(input.windowHeight);

    // The offset is the cursor's position before it goes back to the centre.
    // Look still runs without a turn: it keeps the view vectors current.
    const bool turns = input.focused && clock.hadFocus;
    clock.hadFocus = input.focused;
    const float mouseSpeed = turns ? player.getMouseSpeed() : 0.0f;
    player.look(turnFor(mouseSpeed, centreX, input.cursorX),
                turnFor(mouseSpeed, centreY, input.cursorY));

    const int run = input.run ? 1 : 0;
    const float speed = player.getWalkSpeed() * deltaTime * static_cast<float>(run + 1);
    const glm::vec3 newPos = candidatePosition(input, player, speed);
    // A refused step keeps the height too. Where the step ends is judged
    // after the push the frame gives it next.
    const glm::vec3 from = player.getPosition();
    effects.stepAskedUnits = std::hypot(newPos.x - from.x, newPos.z - from.z);
    if (stepIsWalkable(from, newPos) && !stepEntersWall(maze.getGrid(), from, newPos) &&
        !restsTooNearAWall(maze.getGrid(), newPos + wallCorrection(newPos, maze))) {
        player.setPosition(newPos);
    }

    clock.lastFrameTime = input.now;
    return effects;
}

bool stepEntersWall(const MazeGrid& grid, const glm::vec3& from, const glm::vec3& to) {
    AxisWalk x = axisWalk(from.x, to.x);
    AxisWalk z = axisWalk(from.z, to.z);
    const auto solid = [&grid](int row, int column) { return isSolid(grid.cellAt(row, column)); };
    while (x.edgesLeft > 0 || z.edgesLeft > 0) {
        const double xEdgeAt = x.nextEdgeAt();
        const double zEdgeAt = z.nextEdgeAt();
        // Exactly through a corner both side cells count, so that no step
        // slips between two walls that meet there.
        if (xEdgeAt == zEdgeAt &&
            (solid(z.cell, x.cell + x.direction) || solid(z.cell + z.direction, x.cell))) {
            return true;
        }
        if (xEdgeAt <= zEdgeAt) {
            x.crossEdge();
        }
        if (zEdgeAt <= xEdgeAt) {
            z.crossEdge();
        }
        if (solid(z.cell, x.cell)) {
            return true;
        }
    }
    // The destination, also when the step stays in its cell.
    return solid(z.cell, x.cell);
}

bool restsTooNearAWall(const MazeGrid& grid, const glm::vec3& position) {
    const int row = cellIndexOf(position.z);
    const int column = cellIndexOf(position.x);
    // The distance from a coordinate to a cell along one axis.
    const auto gapTo = [](int cell, float coordinate) {
        const float low = static_cast<float>(cellLowEdge(cell));
        return std::max({low - coordinate, coordinate - (low + cellPitch), 0.0f});
    };
    // Every solid cell within reach touches the player's own cell.
    for (int r = row - 1; r <= row + 1; ++r) {
        for (int c = column - 1; c <= column + 1; ++c) {
            const float dx = gapTo(c, position.x);
            const float dz = gapTo(r, position.z);
            if (isSolid(grid.cellAt(r, c)) &&
                dx * dx + dz * dz < nearestRestFromAWall * nearestRestFromAWall) {
                return true;
            }
        }
    }
    return false;
}

glm::vec3 wallCorrection(const glm::vec3& position, const Maze& maze) {
    const int row = cellIndexOf(position.z);
    const int column = cellIndexOf(position.x);
    const MazeGrid m = maze.getGrid();
    // Outside the grid (the cell beyond the exit) there is nothing to keep
    // away from.
    if (!m.inBounds(row, column)) {
        return glm::vec3(0.0f);
    }
    // Only the side neighbours push; a corner touching diagonally does not.
    const float dz = pushFrom(offsetInCell(position.z), isSolid(m.cellAt(row - 1, column)),
                              isSolid(m.cellAt(row + 1, column)));
    const float dx = pushFrom(offsetInCell(position.x), isSolid(m.cellAt(row, column - 1)),
                              isSolid(m.cellAt(row, column + 1)));
    return glm::vec3(dx, 0.0f, dz);
}
