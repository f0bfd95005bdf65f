#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

#include "assets/ObjParser.h"

// The bytes read with the C library's own formatted input, as the format is
// defined (fscanf for tags and numbers, fgets for dropped lines): the
// reference for the parser's emulation of it, in tests and in the fuzzer.
ObjFileContents readObjWithCLibrary(const unsigned char* bytes, std::size_t size);

// Bitwise, so that NaNs read from "nan" compare too.
template <typename T>
bool sameBits(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool sameObjContents(const ObjFileContents& a, const ObjFileContents& b);
