#include "RenderGlFixture.h"

#include <cstdlib>

#include <glm/gtc/type_ptr.hpp>
#include <glm/vec3.hpp>

namespace {

GLuint vertexArray = 0;

const char* const kFullVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 uv;
layout(location = 2) in vec3 normal;
layout(location = 3) in vec3 tangent;
layout(location = 4) in vec3 bitangent;
uniform mat4 MVP;
uniform mat4 V;
uniform mat4 M;
uniform mat3 MV3x3;
uniform vec3 LightPosition_worldspace;
out vec2 fragmentUv;
out vec3 shade;
void main() {
    gl_Position = MVP * vec4(position, 1.0);
    vec4 eyePosition = V * M * vec4(position, 1.0);
    shade = MV3x3 * (normal + tangent + bitangent) + eyePosition.xyz + LightPosition_worldspace;
    fragmentUv = uv;
}
)";

const char* const kFullFragmentShader = R"(#version 330 core
in vec2 fragmentUv;
in vec3 shade;
uniform sampler2D myDiff;
uniform sampler2D myNorm;
uniform sampler2D mySpec;
out vec4 color;
void main() {
    color = texture(myDiff, fragmentUv) + texture(myNorm, fragmentUv)
          + texture(mySpec, fragmentUv) + vec4(shade, 1.0);
}
)";

const char* const kRedVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 MVP;
void main() { gl_Position = MVP * vec4(position, 1.0); }
)";

const char* const kRedFragmentShader = R"(#version 330 core
out vec4 color;
void main() { color = vec4(1.0, 0.0, 0.0, 1.0); }
)";

// OBJ index (1 to 8) of the cube corner (x, y, z), each -1 or 1.
int cornerIndex(int x, int y, int z) {
    return 1 + (x > 0) * 4 + (y > 0) * 2 + (z > 0);
}

struct Face {
    int normalIndex;
    int corners[4][3];
};

// Corners counter-clockwise seen from outside, UVs (0,0) (1,0) (1,1) (0,1).
const Face kCubeFaces[6] = {
    {1, {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}}},
    {2, {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}},
    {3, {{-1, 1, 1}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}}},
    {4, {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}},
    {5, {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}},
    {6, {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}},
};

std::string corner(const Face& face, int i) {
    const int* c = face.corners[i];
    return std::to_string(cornerIndex(c[0], c[1], c[2])) + "/" + std::to_string(i + 1) + "/" +
           std::to_string(face.normalIndex);
}

}  // namespace

void RenderGlTest::SetUp() {
    GlTest::SetUp();
    if (vertexArray == 0) {
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
    }
}

std::string cubeObjText() {
    std::string text = "# test cube\n";
    for (int x : {-1, 1}) {
        for (int y : {-1, 1}) {
            for (int z : {-1, 1}) {
                text += "v " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(z) + "\n";
            }
        }
    }
    text += "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n";
    text += "vn 1 0 0\nvn -1 0 0\nvn 0 1 0\nvn 0 -1 0\nvn 0 0 1\nvn 0 0 -1\n";
    for (const Face& face : kCubeFaces) {
        text += "f " + corner(face, 0) + " " + corner(face, 1) + " " + corner(face, 2) + "\n";
        text += "f " + corner(face, 0) + " " + corner(face, 2) + " " + corner(face, 3) + "\n";
    }
    return text;
}

ShaderPaths writeFullShaderPair(const ScratchDirectory& scratch) {
    return {scratch.write("full.vertexshader", std::string(kFullVertexShader)),
            scratch.write("full.fragmentshader", std::string(kFullFragmentShader))};
}

ShaderPaths writeRedShaderPair(const ScratchDirectory& scratch) {
    return {scratch.write("red.vertexshader", std::string(kRedVertexShader)),
            scratch.write("red.fragmentshader", std::string(kRedFragmentShader))};
}

int bufferSize(unsigned int buffer) {
    glBindBuffer(GL_COPY_READ_BUFFER, buffer);
    GLint size = -1;
    glGetBufferParameteriv(GL_COPY_READ_BUFFER, GL_BUFFER_SIZE, &size);
    glBindBuffer(GL_COPY_READ_BUFFER, 0);
    return size;
}

glm::mat4 readMat4Uniform(unsigned int program, const char* name) {
    glm::mat4 value(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(value));
    return value;
}

glm::mat3 readMat3Uniform(unsigned int program, const char* name) {
    glm::mat3 value(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(value));
    return value;
}

glm::vec3 readVec3Uniform(unsigned int program, const char* name) {
    glm::vec3 value(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(value));
    return value;
}

int readIntUniform(unsigned int program, const char* name) {
    GLint value = -1;
    glGetUniformiv(program, glGetUniformLocation(program, name), &value);
    return value;
}

bool pixelIs(int x, int y, unsigned char r, unsigned char g, unsigned char b) {
    const Rgba pixel = readBackBufferPixel(x, y);
    return std::abs(pixel.r - r) <= 1 && std::abs(pixel.g - g) <= 1 && std::abs(pixel.b - b) <= 1;
}
