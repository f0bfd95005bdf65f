#pragma once

#include <cstddef>
#include <string>

// What the loaders do differently on the desktop's GL 3.3 and in the
// browser's WebGL2, each in one place (desktop/Platform.cpp and
// web/Platform.cpp; the build takes one of them).

// The shader text as this platform's GL takes it. The data files are GLSL
// 3.30 core; WebGL2 takes GLSL ES 3.00, which needs its own version line, on
// the very first line, and default precisions.
std::string inThisPlatformsDialect(const std::string& code);

// After a missing file's message, the desktop waits for a key on standard
// input before it goes on; a page has no standard input to wait on.
void waitForAKeyAfterAMissingFile();

// Whether GL takes S3TC levels as they are (the browser names the extension
// its own way).
bool glTakesS3tc();

// Uploads level 0 of the bound GL_TEXTURE_2D from rows of blue, green and red
// bytes, as a BMP file stores them (WebGL has no GL_BGR: the bytes are
// swapped first).
void uploadBgrImage(int width, int height, const unsigned char* bgr, std::size_t size);
