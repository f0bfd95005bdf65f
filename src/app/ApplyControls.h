#pragma once

struct GLFWwindow;
class Maze;
class Player;

// One frame of controls: reads the clock, the cursor, the window size and the
// keys from GLFW, lets the control step turn and move the player, then keeps
// the viewport with the window and puts the cursor back at its centre.
void applyControls(GLFWwindow* window, Player& player, const Maze& maze);
