// The floor under the game's frame time: the game's own window, context, GL
// state and vertex array, a frame that only clears and presents, and the
// game's once-a-second "ms/frame" report, until Escape or close. The game's
// frame time divided by this one is what the shaders and the scene cost on
// top of what any frame in this window costs on this machine.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "app/Game.h"

int main() {
    GameWindow opened = openGameWindow();
    if (opened.window == nullptr) {
        return -1;
    }
    FrameReport report(glfwGetTime());
    do {
        reportFrameTime(report);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwSwapBuffers(opened.window);
        glfwPollEvents();
    } while (!playerWantsToStop(opened.window));
    closeGameWindow(opened);
    return 0;
}
