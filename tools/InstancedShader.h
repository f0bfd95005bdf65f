#pragma once

#include <string>

// The page draws all the blocks of a model in one instanced draw: each
// block's model matrix arrives as a vertex attribute that steps once per
// instance, and the matrices the desktop uploads per block (MVP, MV3x3) are
// formed from it once, as main() begins. This turns a block shader's uniform
// declarations of those matrices into that; the rest of its text, and so its
// picture, stays the desktop's. A line that declares none of them is kept.
std::string instancedBlockShader(const std::string& perBlockShader);
