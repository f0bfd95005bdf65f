// libFuzzer target for the OBJ parsing step: any bytes must parse without a
// read outside the buffer or the lists, into what the C library's formatted
// input reads from them, and a result is always consistent.

#include <cstddef>
#include <cstdint>

#include "assets/CLibraryObjReader.h"
#include "assets/ObjParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ObjFileContents contents = readObjContents(data, size);
    if (!sameObjContents(contents, readObjWithCLibrary(data, size))) {
        __builtin_trap();
    }
    const std::size_t corners = contents.vertexIndices.size();
    if (contents.uvIndices.size() != corners || contents.normalIndices.size() != corners ||
        corners % 3 != 0) {
        __builtin_trap();
    }
    const ObjParseResult result = resolveObjFaces(contents);
    const ObjMesh& mesh = result.mesh;
    const std::size_t expected = result.status == ObjParseStatus::Ok ? corners : 0;
    if (mesh.positions.size() != expected || mesh.uvs.size() != expected ||
        mesh.normals.size() != expected) {
        __builtin_trap();
    }
    return 0;
}
