#include "InstancedShader.h"

#include <sstream>

#include "render/GlContract.h"

namespace {

std::string uniformLine(const char* type, const char* name) {
    return std::string("uniform ") + type + " " + name + ";";
}

// In place of the first per-block matrix the shader declares. The names stay
// the desktop's, so the shader's body reads them as before; the projection
// and view are uploaded once as their product (VP), as the desktop's MVP is
// formed as (projection * view) * model.
std::string instancedDeclarations() {
    using namespace glcontract;
    return std::string(
               "// The block's model matrix comes with its instance; the matrices that the\n"
               "// desktop uploads for every block are formed from it once, at the start of\n"
               "// main().\n") +
           "layout(location = " + std::to_string(modelMatrixLocation) + ") in mat4 " +
           modelUniform + ";\n" + uniformLine("mat4", viewProjectionUniform) + "\n" +
           uniformLine("mat4", viewUniform) + "\nmat4 " + mvpUniform + ";\nmat3 " +
           modelView3x3Uniform + ";\n";
}

std::string formedMatrices() {
    using namespace glcontract;
    return std::string("    ") + mvpUniform + " = " + viewProjectionUniform + " * " + modelUniform +
           ";\n    " + modelView3x3Uniform + " = mat3(" + viewUniform + " * " + modelUniform +
           ");\n";
}

bool declaresBlockMatrix(const std::string& line) {
    using namespace glcontract;
    return line == uniformLine("mat4", mvpUniform) || line == uniformLine("mat4", viewUniform) ||
           line == uniformLine("mat4", modelUniform) ||
           line == uniformLine("mat3", modelView3x3Uniform);
}

}  // namespace

std::string instancedBlockShader(const std::string& perBlockShader) {
    std::istringstream lines(perBlockShader);
    std::string line;
    std::string text;
    bool declared = false;
    while (std::getline(lines, line)) {
        if (!declaresBlockMatrix(line)) {
            text += line + "\n";
            if (line == "void main() {") {
                text += formedMatrices();
            }
        } else if (!declared) {
            text += instancedDeclarations();
            declared = true;
        }
    }
    return text;
}
