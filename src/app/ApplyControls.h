#pragma once

#include "app/WindowInput.h"

struct GLFWwindow;

// The window's input for this frame from GLFW, each key read once: the clock,
// the cursor, the window size, the keys, the focus, and whether the run is
// asked to stop.
WindowInput readWindowInput(GLFWwindow* window);

// After the control step: the viewport keeps to the window, and the cursor
// goes back to the window's centre.
void applyControlEffects(GLFWwindow* window, const ControlEffects& effects);
