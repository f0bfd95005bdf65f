#pragma once

// Makes a mipmapped GL_TEXTURE_2D from an uncompressed 24-bit BMP file and
// returns its name, or 0 (after a message) when the file is missing or refused.
unsigned int readBmpTexture(const char* imagepath);
