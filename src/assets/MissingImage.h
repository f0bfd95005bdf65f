#pragma once

// The texture loaders' report of a file they cannot open: the message, then
// a wait for one character on standard input. Returns the texture name that
// the loader then returns, 0.
unsigned int reportMissingImage(const char* imagepath);
