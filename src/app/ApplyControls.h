#pragma once

#include "player/Controls.h"

struct GLFWwindow;

// The player's input for this frame from GLFW: the clock, the cursor, the
// window size and the keys, each key read once.
ControlInput readControlInput(GLFWwindow* window);

// Whether any key but Escape is held, for handing the game back to the
// player. Escape is the frame loop's own.
bool anyKeyButEscapePressed(GLFWwindow* window);

// After the control step: the viewport keeps to the window, and the cursor
// goes back to the window's centre.
void applyControlEffects(GLFWwindow* window, const ControlEffects& effects);
