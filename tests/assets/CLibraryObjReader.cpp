#include "CLibraryObjReader.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kCorners = 3;

void readFile(std::FILE* file, ObjFileContents& contents) {
    char word[kObjMaxTagLength + 1];
    while (std::fscanf(file, "%127s", word) != EOF) {
        if (std::strcmp(word, "v") == 0 || std::strcmp(word, "vn") == 0) {
            glm::vec3 v(0.0f);
            std::fscanf(file, "%f %f %f\n", &v.x, &v.y, &v.z);
            (word[1] == 'n' ? contents.temp_normals : contents.temp_vertices).push_back(v);
        } else if (std::strcmp(word, "vt") == 0) {
            glm::vec2 uv(0.0f);
            std::fscanf(file, "%f %f\n", &uv.x, &uv.y);
            contents.temp_uvs.push_back(glm::vec2(uv.x, -uv.y));
        } else if (std::strcmp(word, "f") == 0) {
            int i[kCorners * 3];
            if (std::fscanf(file, "%d/%d/%d %d/%d/%d %d/%d/%d\n", &i[0], &i[1], &i[2], &i[3], &i[4],
                            &i[5], &i[6], &i[7], &i[8]) != kCorners * 3) {
                contents.malformedFace = true;
                return;
            }
            for (int corner = 0; corner < kCorners; ++corner) {
                contents.vertexIndices.push_back(i[3 * corner]);
                contents.uvIndices.push_back(i[3 * corner + 1]);
                contents.normalIndices.push_back(i[3 * corner + 2]);
            }
        } else {
            char rest[kObjSkippedLineLength + 1];
            std::fgets(rest, sizeof rest, file);
        }
    }
}

}  // namespace

ObjFileContents readObjWithCLibrary(const unsigned char* bytes, std::size_t size) {
    ObjFileContents contents;
    if (size == 0) {
        return contents;
    }
    // fmemopen only reads the buffer; its interface just lacks the const.
    std::FILE* file = fmemopen(const_cast<unsigned char*>(bytes), size, "r");
    if (file == nullptr) {
        return contents;
    }
    readFile(file, contents);
    std::fclose(file);
    return contents;
}

bool sameObjContents(const ObjFileContents& a, const ObjFileContents& b) {
    return a.malformedFace == b.malformedFace && sameBits(a.temp_vertices, b.temp_vertices) &&
           sameBits(a.temp_uvs, b.temp_uvs) && sameBits(a.temp_normals, b.temp_normals) &&
           a.vertexIndices == b.vertexIndices && a.uvIndices == b.uvIndices &&
           a.normalIndices == b.normalIndices;
}
