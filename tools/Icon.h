#pragma once

#include "Image.h"

// The desktop icon: a patch of the maze's stone wall with a food gem in front
// of it, in the gem's own colours, so that the icon looks like the game's
// first view. sizePixels must divide the wall image's side.
Image makeIcon(const Image& wallDiffuse, int sizePixels);
