#pragma once

#include "app/WindowInput.h"

struct GLFWwindow;

// How far from where it was sent the cursor came to rest after the last
// re-centring. A window whose centre lies off the screen (moved or resized
// past its edge) cannot have the cursor there: only a move away from where
// the cursor rests is the player's, or the view would turn by itself.
struct CursorRest {
    double offsetX = 0.0;
    double offsetY = 0.0;
};

// The window's input for this frame from GLFW, each key read once: the clock,
// the cursor (less its rest's offset), the window size, the keys, the focus,
// and whether the run is asked to stop.
WindowInput readWindowInput(GLFWwindow* window, const CursorRest& rest);

// After the control step: the viewport keeps to the window, and the cursor
// goes back to the window's centre, or as near it as it can; where it came
// to rest is returned.
CursorRest applyControlEffects(GLFWwindow* window, const ControlEffects& effects);

// While the window is minimised nothing is drawn: this waits for the events
// that restore it or end the run.
void waitWhileMinimised(GLFWwindow* window);
