#pragma once

#include "Image.h"

// How the icon will be shown. A home screen may cut a maskable icon to any
// shape that keeps the circle around its middle whose radius is 40 % of its
// side (the safe zone); a whole icon is shown as it is.
enum class IconCrop { Whole, Maskable };

// The game's icon: a patch of the maze's stone wall with a food gem in front
// of it, in the gem's own colours, so that the icon looks like the game's
// first view. Any size: halved from the wall where it can be, else resampled.
Image makeIcon(const Image& wallDiffuse, int sizePixels, IconCrop crop = IconCrop::Whole);
