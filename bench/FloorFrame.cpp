// The floor under the game's frame time: the game's own window, context, GL
// state, vertex array and frame, with nothing drawn between the clear and the
// swap, and the game's once-a-second "ms/frame" report, until Escape or
// close. The game's frame time divided by this one is what the shaders and
// the scene cost on top of what any frame in this window costs on this
// machine.

#include <GLFW/glfw3.h>

#include "app/FrameStep.h"
#include "app/Game.h"
#include "app/GameConstants.h"
#include "maze/Maze.h"
#include "player/Player.h"

int main() {
    GameWindow opened = openGameWindow();
    if (opened.window == nullptr) {
        return -1;
    }
    // The frame's rules cost microseconds; they run as in the game.
    Player player;
    Maze maze(game::roomRows, game::roomColumns);
    FrameStep step(player, maze, RunSetup{}, glfwGetTime());
    while (presentFrame(opened, step, [](const FrameOutcome&) {})) {
    }
    closeGameWindow(opened);
    return 0;
}
