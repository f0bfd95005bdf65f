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

AutoplayResult simulateAutoplay(
    Maze& maze, const std::vector<double>& frameSeconds, bool mayRun, double maxGameSeconds,
    const std::function<void(const ControlInput&, const Player&)>& afterFrame) {
    Player player;
    player.setPosition(game::startPosition);
    Autopilot autopilot(maze.getGrid(), mayRun);
    ControlClock clock;
    AutoplayResult result;
    double now = 0.0;
    for (size_t frame = 0; !result.arrived && now <= maxGameSeconds; ++frame) {
        const glm::vec2 before(player.getPosition().x, player.getPosition().z);
        const ControlInput input =
            autopilot.nextInput(player, now, game::windowWidthPixels, game::windowHeightPixels);
        playFrame(clock, input, player, maze, result.points);
        result.walkedUnits +=
            glm::distance(before, glm::vec2(player.getPosition().x, player.getPosition().z));
        if (afterFrame) {
            afterFrame(input, player);
        }
        result.arrived = autopilot.hasArrived();
        result.gameSeconds = now;
        now += frameSeconds[frame % frameSeconds.size()];
    }
    return result;
}
