#pragma once

#include <string>

// The wall shader decides which faces of a block lie flat against a
// neighbour's from the block's matrix alone, so it needs the maze's own
// measures. They are written into its text here, from the game's constants,
// so that each number is typed once and data/ follows any change of it.

// The line of a shader source that the measures replace.
extern const char* const kMazeMeasuresMarker;

// GLSL constant declarations of the maze's measures, one per line.
std::string mazeMeasuresGlsl();

// The shader text with its marker line replaced by the measures; a text
// without the marker comes back unchanged.
std::string withMazeMeasures(const std::string& shaderText);
