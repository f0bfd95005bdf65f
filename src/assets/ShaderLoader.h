#pragma once

// Compiles and links a vertex and fragment shader pair read from files and
// returns the program name (0 when the vertex file cannot be opened). Compile
// and link logs go to standard output; errors in them do not stop the build.
unsigned int buildShaderProgram(const char* vertexFilePath, const char* fragmentFilePath);
