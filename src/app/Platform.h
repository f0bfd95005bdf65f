#pragma once

#include "app/Game.h"

struct GLFWwindow;

// What the game shell does differently on the desktop and in the browser,
// each in one place (desktop/Platform.cpp and web/Platform.cpp; the build
// takes one of them).

// Drives the run's frames with presentFrame until the run ends. The desktop
// loops here; the browser owns its loop and calls one frame at a time.
void driveFrames(GameRun& run, const DrawFrame& draw);

// Whether the mouse is the player's to turn the view with: the desktop's
// window has the focus and is not minimised; the page's canvas holds the
// pointer lock.
bool playerHasTheMouse(GLFWwindow* window);

// Window hints beyond the context the game asks for everywhere: the page's
// canvas takes no alpha, or the sky's alpha of 0 would show the page through.
void requestPlatformWindowHints();
