#include "assets/ObjParser.h"

#include <string_view>

#include "assets/ScanfInput.h"

namespace {

constexpr int kCornersPerFace = 3;

// Tags are compared as C strings: a NUL inside the word ends the tag there.
bool tagIs(std::string_view word, const char* tag) {
    const std::size_t end = word.find('\0');
    return word.substr(0, end) == tag;
}

// "%f %f %f\n" into a zeroed vector: a missing number leaves its 0, and the
// word that stood there is read next as a tag.
glm::vec3 readVec3(ScanfInput& in) {
    glm::vec3 v(0.0f);
    if (in.readFloat(v.x) && in.readFloat(v.y) && in.readFloat(v.z)) {
        in.skipSpace();
    }
    return v;
}

// "%f %f\n", with v turned upside down.
glm::vec2 readUv(ScanfInput& in) {
    glm::vec2 uv(0.0f);
    if (in.readFloat(uv.x) && in.readFloat(uv.y)) {
        in.skipSpace();
    }
    uv.y = -uv.y;
    return uv;
}

// "%d/%d/%d %d/%d/%d %d/%d/%d\n": all nine integers or a malformed face.
bool readFace(ScanfInput& in, ObjFileContents& contents) {
    int position[kCornersPerFace] = {};
    int uv[kCornersPerFace] = {};
    int normal[kCornersPerFace] = {};
    for (int corner = 0; corner < kCornersPerFace; ++corner) {
        if (corner > 0) {
            in.skipSpace();
        }
        if (!(in.readInt(position[corner]) && in.readLiteral('/') && in.readInt(uv[corner]) &&
              in.readLiteral('/') && in.readInt(normal[corner]))) {
            return false;
        }
    }
    in.skipSpace();
    contents.vertexIndices.insert(contents.vertexIndices.end(), position,
                                  position + kCornersPerFace);
    contents.uvIndices.insert(contents.uvIndices.end(), uv, uv + kCornersPerFace);
    contents.normalIndices.insert(contents.normalIndices.end(), normal, normal + kCornersPerFace);
    return true;
}

template <typename T>
bool indexFits(int index, const std::vector<T>& list) {
    return index >= 1 && static_cast<std::size_t>(index) <= list.size();
}

}  // namespace

ObjFileContents readObjContents(const unsigned char* bytes, std::size_t size) {
    ObjFileContents contents;
    ScanfInput in(bytes, size);
    std::string_view lineHeader;
    while (in.readWord(kObjMaxTagLength, lineHeader)) {
        if (tagIs(lineHeader, "v")) {
            contents.temp_vertices.push_back(readVec3(in));
        } else if (tagIs(lineHeader, "vt")) {
            contents.temp_uvs.push_back(readUv(in));
        } else if (tagIs(lineHeader, "vn")) {
            contents.temp_normals.push_back(readVec3(in));
        } else if (tagIs(lineHeader, "f")) {
            if (!readFace(in, contents)) {
                contents.malformedFace = true;
                break;
            }
        } else {
            in.skipLine(kObjSkippedLineLength + 1);
        }
    }
    return contents;
}

ObjParseResult resolveObjFaces(const ObjFileContents& contents) {
    ObjParseResult result;
    if (contents.malformedFace) {
        result.status = ObjParseStatus::MalformedFace;
        return result;
    }
    for (std::size_t i = 0; i < contents.vertexIndices.size(); ++i) {
        if (!indexFits(contents.vertexIndices[i], contents.temp_vertices) ||
            !indexFits(contents.uvIndices[i], contents.temp_uvs) ||
            !indexFits(contents.normalIndices[i], contents.temp_normals)) {
            result.status = ObjParseStatus::IndexOutOfRange;
            result.badFace = i / kCornersPerFace;
            result.mesh = ObjMesh();
            return result;
        }
        result.mesh.positions.push_back(contents.temp_vertices[contents.vertexIndices[i] - 1]);
        result.mesh.uvs.push_back(contents.temp_uvs[contents.uvIndices[i] - 1]);
        result.mesh.normals.push_back(contents.temp_normals[contents.normalIndices[i] - 1]);
    }
    return result;
}

ObjParseResult parseObjMesh(const unsigned char* bytes, std::size_t size) {
    return resolveObjFaces(readObjContents(bytes, size));
}
