#pragma once

#include "TriangleMesh.h"

// The wall and food block: a cube from -1 to 1 on every axis, 12 triangles,
// one flat normal per face and the whole texture on each face, upright on the
// side faces (so 24 distinct vertices once indexed).
TriangleMesh makeCube();
