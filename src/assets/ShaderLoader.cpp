#include "assets/ShaderLoader.h"

#include <GL/glew.h>

#include <cstdio>
#include <string>
#include <vector>

#include "assets/FileBytes.h"
#include "assets/Platform.h"
#include "assets/ShaderSource.h"

namespace {

// Prints a compile or link log the way the logs always appear on the
// console: only when GL reports a length, as one line.
void printInfoLog(GLuint object, GLint InfoLogLength, PFNGLGETSHADERINFOLOGPROC getInfoLog) {
    if (InfoLogLength > 0) {
        std::vector<char> message(static_cast<std::size_t>(InfoLogLength) + 1, '\0');
        getInfoLog(object, InfoLogLength, nullptr, message.data());
        printf("%s\n", message.data());
    }
}

void compileShader(GLuint shader, const char* path, const std::string& code) {
    printf("Compiling shader : %s\n", path);
    const std::string text = inThisPlatformsDialect(code);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint Result = GL_FALSE;
    GLint InfoLogLength = 0;
    // The status is not acted on: the log is the whole report.
    glGetShaderiv(shader, GL_COMPILE_STATUS, &Result);
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &InfoLogLength);
    printInfoLog(shader, InfoLogLength, glGetShaderInfoLog);
}

GLuint linkProgram(GLuint vertexShader, GLuint fragmentShader) {
    printf("Linking program\n");
    const GLuint ProgramID = glCreateProgram();
    glAttachShader(ProgramID, vertexShader);
    glAttachShader(ProgramID, fragmentShader);
    glLinkProgram(ProgramID);
    GLint Result = GL_FALSE;
    GLint InfoLogLength = 0;
    glGetProgramiv(ProgramID, GL_LINK_STATUS, &Result);
    glGetProgramiv(ProgramID, GL_INFO_LOG_LENGTH, &InfoLogLength);
    printInfoLog(ProgramID, InfoLogLength, glGetProgramInfoLog);
    return ProgramID;
}

}  // namespace

unsigned int buildShaderProgram(const char* vertexFilePath, const char* fragmentFilePath) {
    const GLuint VertexShaderID = glCreateShader(GL_VERTEX_SHADER);
    const GLuint FragmentShaderID = glCreateShader(GL_FRAGMENT_SHADER);

    const std::optional<std::vector<unsigned char>> vertexFile = readFileBytes(vertexFilePath);
    if (!vertexFile) {
        printf(
            "Impossible to open %s. Are you in the right directory ? Don't forget to read the "
            "FAQ !\n",
            vertexFilePath);
        waitForAKeyAfterAMissingFile();
        // Nobody else will ever see these two names.
        glDeleteShader(VertexShaderID);
        glDeleteShader(FragmentShaderID);
        return 0;
    }
    const std::string VertexShaderCode = shaderSourceFromFile(*vertexFile);
    // A missing fragment file is compiled as an empty text: GL's logs report it.
    const std::string FragmentShaderCode = shaderSourceFromFile(
        readFileBytes(fragmentFilePath).value_or(std::vector<unsigned char>()));

    compileShader(VertexShaderID, vertexFilePath, VertexShaderCode);
    compileShader(FragmentShaderID, fragmentFilePath, FragmentShaderCode);
    const GLuint ProgramID = linkProgram(VertexShaderID, FragmentShaderID);

    // The program keeps them alive for as long as it holds them.
    glDeleteShader(VertexShaderID);
    glDeleteShader(FragmentShaderID);
    return ProgramID;
}
