#pragma once

#include "Image.h"
#include "TriangleMesh.h"

// The sculpture beyond the maze's exit: a trophy cup on a stepped plinth, with
// two handles. Model space: the plinth's underside at y = -1.2, the rim at
// y = 0.8, the axis along y. The game places the origin 1.2 above the floor,
// so the plinth stands on floor level.
TriangleMesh makeTrophyMesh();

// Its texture: colour by height along the profile (dark stone plinth, gold
// stem and cup, bright rim, a deeper gold inside), laid out for the mesh's
// UVs: v grows along the profile, u runs round the axis.
Image makeTrophyGradient(int sizePixels);
