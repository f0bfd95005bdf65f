#pragma once

#include "Image.h"

// The wall material: courses of cut stone blocks in mortar, as three images
// of one layout, so the colour, the shine and the relief agree texel for
// texel. All three tile in both directions.
struct WallMaterial {
    // Stone and mortar colour, and the shine again in alpha: the wall shader
    // reads both with one texture read.
    Image diffuse;
    Image specular;  // shine in every channel: some on the stone, none in the joints
    Image normal;    // tangent-space normal in the frame the game's meshes get (see .cpp)
};

// sizePixels: the side of the square images, a multiple of 4 (the BMP rows).
WallMaterial makeStoneWall(int sizePixels);
