#pragma once

#include <string>

// The shaders need some of the game's own measures and rules: the wall shader
// decides which faces of a block lie flat against a neighbour's from the
// block's matrix and the grid's pillar rule alone, and the model shaders
// place their lamp against the game's light, keep their near plane inside the
// nearest the eye comes to a wall, and fade into the clear colour.
// They are written into the shader text here, from the game's constants, so
// that each number and rule is typed once and data/ follows any change of it.

// The shader text with each of its marker lines ("// <maze measures>" for
// the maze's block measures, "// <eye measures>" for where the eye stands
// against the light, the walls and the view's far end, "// <sky measures>"
// for the clear colour) replaced by GLSL constant declarations, and the line
// "// <pillar rule>" by the function pillarStandsOn(ivec2 cell); a text
// without markers comes back unchanged.
std::string withGameMeasures(const std::string& shaderText);
