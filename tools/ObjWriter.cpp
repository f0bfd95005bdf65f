#include "ObjWriter.h"

#include <cstdio>
#include <map>
#include <vector>

namespace {

// Six decimals: finer than the loader's merge tolerance of 0.01 by far, and
// the same text for the same float on every run.
std::string formatNumbers(const float* values, int count) {
    std::string line;
    char buffer[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, i == 0 ? "%.6f" : " %.6f",
                      static_cast<double>(values[i]));
        line += buffer;
    }
    return line;
}

// A list of distinct value lines in first-use order, handing out the 1-based
// index that a face names them by. Equal text means equal value, so values
// that differ only beyond six decimals share one line.
class ValueTable {
  public:
    explicit ValueTable(std::string tag) : tag(std::move(tag)) {}

    int indexOf(const std::string& numbers) {
        const auto found = indices.find(numbers);
        if (found != indices.end()) {
            return found->second;
        }
        lines.push_back(numbers);
        const int index = static_cast<int>(lines.size());
        indices.emplace(numbers, index);
        return index;
    }

    void appendTo(std::string& text) const {
        for (const std::string& numbers : lines) {
            text += tag + " " + numbers + "\n";
        }
    }

  private:
    std::string tag;
    std::vector<std::string> lines;
    std::map<std::string, int> indices;
};

}  // namespace

std::string encodeObj(const TriangleMesh& mesh, const std::string& title) {
    ValueTable positions("v");
    ValueTable uvs("vt");
    ValueTable normals("vn");
    std::string faces;
    char buffer[64];
    for (std::size_t i = 0; i < mesh.corners.size(); ++i) {
        const Corner& corner = mesh.corners[i];
        const int p = positions.indexOf(formatNumbers(&corner.position.x, 3));
        const int t = uvs.indexOf(formatNumbers(&corner.uv.x, 2));
        const int n = normals.indexOf(formatNumbers(&corner.normal.x, 3));
        const bool firstOfTriangle = i % 3 == 0;
        const bool lastOfTriangle = i % 3 == 2;
        std::snprintf(buffer, sizeof buffer, "%s%d/%d/%d%s", firstOfTriangle ? "f " : " ", p, t, n,
                      lastOfTriangle ? "\n" : "");
        faces += buffer;
    }
    std::string text = "# " + title + "\n# Written by tools/generate_assets; do not edit.\n";
    positions.appendTo(text);
    uvs.appendTo(text);
    normals.appendTo(text);
    text += faces;
    return text;
}
