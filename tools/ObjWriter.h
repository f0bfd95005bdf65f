#pragma once

#include <string>

#include "TriangleMesh.h"

// The mesh as OBJ text in the subset the game reads: "v", "vt" and "vn"
// lines, each distinct value written once, and one "f" line per triangle with
// position/uv/normal indices on every corner. `title` goes into a comment.
std::string encodeObj(const TriangleMesh& mesh, const std::string& title);
