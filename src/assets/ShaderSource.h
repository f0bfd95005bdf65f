#pragma once

#include <string>
#include <vector>

// The source text handed to the GLSL compiler for a shader file: every line,
// without its terminator, preceded by a line feed. A CR LF pair ends a line
// as a lone LF does; a final line feed adds no empty line; an empty file
// gives an empty text.
std::string shaderSourceFromFile(const std::vector<unsigned char>& fileBytes);
