#include "app/FrameStep.h"

#include <glm/geometric.hpp>
#include <glm/vec2.hpp>

#include "app/Food.h"
#include "app/GameConstants.h"
#include "maze/Maze.h"
#include "player/Autopilot.h"
#include "player/Player.h"

ControlEffects playFrame(ControlClock& clock, const ControlInput& input, Player& player, Maze& maze,
                         int& points) {
    const ControlEffects effects = stepControls(clock, input, player, maze);
    player.setPosition(player.getPosition() + wallCorrection(player.getPosition(), maze));
    eatFood(player, maze, points);
    return effects;
}

namespace {
// After arriving, the autopilot still turns to face the sculpture squarely.
constexpr double settlingSeconds = 1.0;
}  // namespace

AutoplayResult simulateAutoplay(
    Maze& maze, const std::vector<double>& frameSeconds, bool mayRun, double maxGameSeconds,
    const std::function<void(const ControlInput&, const Player&)>& afterFrame) {
    Player player;
    player.setPosition(game::startPosition);
    Autopilot autopilot(maze.getGrid(), mayRun);
    ControlClock clock;
    AutoplayResult result;
    double now = 0.0;
    double endSeconds = maxGameSeconds;
    for (size_t frame = 0; now <= endSeconds; ++frame) {
        const glm::vec2 before(player.getPosition().x, player.getPosition().z);
        const ControlInput input =
            autopilot.nextInput(player, now, game::windowWidthPixels, game::windowHeightPixels);
        playFrame(clock, input, player, maze, result.points);
        result.walkedUnits +=
            glm::distance(before, glm::vec2(player.getPosition().x, player.getPosition().z));
        if (afterFrame) {
            afterFrame(input, player);
        }
        if (!result.arrived) {
            result.arrived = autopilot.hasArrived();
            result.gameSeconds = now;
            endSeconds = result.arrived ? now + settlingSeconds : endSeconds;
        }
        now += frameSeconds[frame % frameSeconds.size()];
    }
    return result;
}
