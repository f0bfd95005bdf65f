#pragma once

#include <string>

class Maze;
class Player;

// Eats the food in the player's cell, if any: the cell becomes open floor and
// points goes up by one. Cells outside the grid are never collected.
void eatFood(const Player& player, Maze& maze, int& points);

// The food a maze of these room counts holds: one per room and one in the
// exit opening. Computed from the counts, not from the grid.
int scoreTotal(int roomRows, int roomColumns);

// "Points: %3d/%-3d" with the points and the total, whole for any int values.
std::string scoreLine(int points, int total);

// The line a run that plays itself prints when its last food cube is eaten:
// the score and the game time it took.
std::string closingLine(int points, int total, double gameSeconds);
