#pragma once

struct DdsTexture;

// Makes a GL_TEXTURE_2D from a DXT1, DXT3 or DXT5 DDS file, uploading its
// compressed levels as stored where GL takes S3TC, and decoded to RGBA where
// it does not, and returns its name or 0. Leaves the unpack alignment at 1.
unsigned int readDdsTexture(const char* imagepath);

// The upload of a parsed file: its levels as stored, or decoded to RGBA.
unsigned int uploadDdsTexture(const DdsTexture& texture, bool compressed);
