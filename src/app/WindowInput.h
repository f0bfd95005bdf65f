#pragma once

#include "player/Controls.h"

// Everything the window gives for one frame, read in one place at the start
// of the frame: the player's own mouse and keys on the window system's clock,
// and the two things only the shell reads.
struct WindowInput {
    ControlInput controls;
    // Any key but Escape, or the left mouse button, is held: it hands the
    // game back from the autopilot.
    bool otherKeyPressed = false;
    // Escape reads pressed, the window was asked to close, or a stop signal
    // came. The input is
    // read after the previous frame's event poll, so this is what that frame
    // would have read at its end.
    bool stopAsked = false;
};
