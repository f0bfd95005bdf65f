#pragma once

struct GLFWwindow;

// A hidden GLFW window whose OpenGL 3.3 core context is current, with the GL
// entry points loaded and no GL error left pending; null when there is no
// display or no such context. For the GL tests and the whole-load fuzzers.
GLFWwindow* openHiddenWindow(int width, int height, int samples, const char* title);

// Takes every pending GL error off the queue, so that what looks at
// glGetError next sees only its own.
void clearGlErrors();
