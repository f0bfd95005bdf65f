#pragma once

// Makes a GL_TEXTURE_2D from a DXT1, DXT3 or DXT5 DDS file, uploading its
// compressed levels as stored, and returns its name or 0. Leaves the unpack
// alignment at 1.
unsigned int readDdsTexture(const char* imagepath);
