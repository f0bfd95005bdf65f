#pragma once

struct GLFWwindow;

// Opens the game's window with an OpenGL 3.3 core context, loads the GL entry
// points and sets the fixed GL state: 1024 x 768, or the whole primary monitor
// in its current video mode. Returns null after printing why on standard
// error.
GLFWwindow* initWindow(bool fullscreen = false);

// The GL state the whole game draws under, for a context that is current.
void setFixedGlState();
