#include "TriangleMesh.h"

void TriangleMesh::addTriangle(const Corner& a, const Corner& b, const Corner& c) {
    corners.push_back(a);
    corners.push_back(b);
    corners.push_back(c);
}

void TriangleMesh::addQuad(const Corner& a, const Corner& b, const Corner& c, const Corner& d) {
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}
