#include "assets/ObjLoader.h"

#include <cstdio>

#include "assets/FileBytes.h"
#include "assets/ObjParser.h"
#include "assets/Platform.h"

bool readObjMesh(const char* path, std::vector<glm::vec3>& out_vertices,
                 std::vector<glm::vec2>& out_uvs, std::vector<glm::vec3>& out_normals) {
    printf("Loading OBJ file %s...\n", path);
    const std::optional<std::vector<unsigned char>> bytes = readFileBytes(path);
    if (!bytes) {
        printf(
            "Impossible to open the file ! Are you in the right path ? See Tutorial 1 for "
            "details\n");
        waitForAKeyAfterAMissingFile();
        return false;
    }
    ObjParseResult parsed = parseObjMesh(bytes->data(), bytes->size());
    switch (parsed.status) {
        case ObjParseStatus::MalformedFace:
            printf(
                "File can't be read by our simple parser :-( Try exporting with other "
                "options\n");
            return false;
        case ObjParseStatus::IndexOutOfRange:
            printf(
                "%s: face %zu names a vertex, texture coordinate or normal that the file "
                "does not have\n",
                path, parsed.badFace + 1);
            return false;
        case ObjParseStatus::Ok:
            break;
    }
    const auto append = [](auto& out, auto& from) {
        out.insert(out.end(), from.begin(), from.end());
    };
    append(out_vertices, parsed.mesh.positions);
    append(out_uvs, parsed.mesh.uvs);
    append(out_normals, parsed.mesh.normals);
    return true;
}
