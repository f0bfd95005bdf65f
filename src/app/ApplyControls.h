#pragma once

#include "app/WindowInput.h"

struct GLFWwindow;

// Where on the screen the cursor came to rest after the last re-centring.
// The cursor's move away from there is the player's hand on the mouse: a
// window whose centre lies off the screen (moved or resized past its edge)
// cannot have the cursor there, and a window that moves under a still cursor
// is no turn either.
struct CursorRest {
    bool known = false;
    double screenX = 0.0;
    double screenY = 0.0;
};

// The window's input for this frame from GLFW, each key read once: the clock,
// the cursor (its move from where it rests, from the window's centre), the
// window size, the keys, the focus, and whether the run is asked to stop.
WindowInput readWindowInput(GLFWwindow* window, const CursorRest& rest);

// After the control step: the viewport keeps to the window, and the cursor
// goes back to the window's centre, or as near it as it can; `rest` notes
// where it came to rest.
void applyControlEffects(GLFWwindow* window, const ControlEffects& effects, CursorRest& rest);

// While the window is minimised nothing is drawn: this waits for the events
// that restore it or end the run, and says whether it waited.
bool waitWhileMinimised(GLFWwindow* window);
