#include "assets/ShaderLoader.h"

#include "support/GlContext.h"

#include "assets/AssetFiles.h"
#include "support/ConsoleCapture.h"

namespace {

const std::string kVertexShader =
    "#version 330 core\n"
    "layout(location = 0) in vec3 position;\n"
    "void main() {\n"
    "    gl_Position = vec4(position, 1.0);\n"
    "}\n";
const std::string kFragmentShader =
    "#version 330 core\n"
    "out vec3 color;\n"
    "void main() {\n"
    "    color = vec3(1.0, 0.0, 0.0);\n"
    "}\n";

std::string withCrLf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

class ShaderLoader : public GlTest {
  protected:
    struct Build {
        GLuint program = 0;
        ConsoleCapture console;
    };

    Build build(const std::string& vertexPath, const std::string& fragmentPath) {
        Build result;
        result.console = captureConsole(
            [&] { result.program = buildShaderProgram(vertexPath.c_str(), fragmentPath.c_str()); });
        programs.push_back(result.program);
        return result;
    }

    static bool linked(GLuint program) {
        GLint status = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &status);
        return status == GL_TRUE;
    }

    void TearDown() override {
        for (const GLuint program : programs) {
            glDeleteProgram(program);
        }
    }

    ScratchDirectory dir;
    std::vector<GLuint> programs;
};

}  // namespace

TEST_F(ShaderLoader, GoodPairLinksAndPrintsItsSteps) {
    const std::string vertex = dir.write("a.vertexshader", kVertexShader);
    const std::string fragment = dir.write("a.fragmentshader", kFragmentShader);
    const Build result = build(vertex, fragment);
    ASSERT_NE(result.program, 0u);
    EXPECT_TRUE(linked(result.program));
    EXPECT_EQ(result.console.standardOutput, "Compiling shader : " + vertex +
                                                 "\nCompiling shader : " + fragment +
                                                 "\nLinking program\n");
    EXPECT_EQ(result.console.bytesReadFromStandardInput, 0);
}

TEST_F(ShaderLoader, ShadersAreOnlyHeldByTheProgram) {
    const Build result =
        build(dir.write("a.vs", kVertexShader), dir.write("a.fs", kFragmentShader));
    GLuint shaders[2] = {0, 0};
    GLsizei count = 0;
    glGetAttachedShaders(result.program, 2, &count, shaders);
    ASSERT_EQ(count, 2);
    for (const GLuint shader : shaders) {
        GLint deleted = GL_FALSE;
        glGetShaderiv(shader, GL_DELETE_STATUS, &deleted);
        EXPECT_EQ(deleted, GL_TRUE);
    }
}

TEST_F(ShaderLoader, CrLfFilesBuildAsLineFeedFilesDo) {
    const Build lf = build(dir.write("lf.vs", kVertexShader), dir.write("lf.fs", kFragmentShader));
    const Build crlf = build(dir.write("crlf.vs", withCrLf(kVertexShader)),
                             dir.write("crlf.fs", withCrLf(kFragmentShader)));
    EXPECT_TRUE(linked(lf.program));
    EXPECT_TRUE(linked(crlf.program));
    // No log for either: a CR left in the text would be a character GLSL
    // does not know.
    EXPECT_EQ(crlf.console.standardOutput.find("\n\n"), std::string::npos);
}

TEST_F(ShaderLoader, FinalLineFeedMakesNoDifference) {
    std::string withoutFinalFeed = kVertexShader;
    withoutFinalFeed.pop_back();
    const std::string fragment = dir.write("a.fs", kFragmentShader);
    const Build with = build(dir.write("with.vs", kVertexShader), fragment);
    const Build without = build(dir.write("without.vs", withoutFinalFeed), fragment);
    EXPECT_TRUE(linked(with.program));
    EXPECT_TRUE(linked(without.program));
}

TEST_F(ShaderLoader, MissingVertexFilePrintsOneLineWaitsAndReturnsZero) {
    const std::string vertex = dir.missing("absent.vs");
    const Build result = build(vertex, dir.write("a.fs", kFragmentShader));
    EXPECT_EQ(result.program, 0u);
    EXPECT_EQ(result.console.standardOutput,
              "Impossible to open " + vertex +
                  ". Are you in the right directory ? Don't forget to read the FAQ !\n");
    EXPECT_EQ(result.console.bytesReadFromStandardInput, 1);
}

TEST_F(ShaderLoader, MissingFragmentFileIsCompiledFromEmptyText) {
    const std::string vertex = dir.write("a.vs", kVertexShader);
    const std::string fragment = dir.missing("absent.fs");
    const Build result = build(vertex, fragment);
    EXPECT_NE(result.program, 0u);
    const std::string& out = result.console.standardOutput;
    const std::size_t fragmentLine = out.find("Compiling shader : " + fragment + "\n");
    ASSERT_NE(fragmentLine, std::string::npos) << out;
    EXPECT_EQ(out.rfind("Compiling shader : " + vertex + "\n", 0), 0u) << out;
    EXPECT_NE(out.find("Linking program\n", fragmentLine), std::string::npos) << out;
    EXPECT_EQ(out.find("Impossible"), std::string::npos) << out;
    EXPECT_EQ(result.console.bytesReadFromStandardInput, 0);
}

TEST_F(ShaderLoader, EmptyVertexFileStillMakesAProgram) {
    const Build result = build(dir.write("empty.vs", ""), dir.write("a.fs", kFragmentShader));
    EXPECT_NE(result.program, 0u);
    EXPECT_NE(result.console.standardOutput.find("Linking program\n"), std::string::npos);
}

TEST_F(ShaderLoader, CompileErrorIsPrintedAndAProgramIsStillReturned) {
    const std::string vertex = dir.write("broken.vs", "#version 330 core\nvoid main() { oops }\n");
    const std::string fragment = dir.write("a.fs", kFragmentShader);
    const Build result = build(vertex, fragment);
    EXPECT_NE(result.program, 0u);
    EXPECT_FALSE(linked(result.program));
    const std::string& out = result.console.standardOutput;
    const std::string vertexLine = "Compiling shader : " + vertex + "\n";
    ASSERT_EQ(out.rfind(vertexLine, 0), 0u) << out;
    const std::size_t fragmentLine = out.find("Compiling shader : " + fragment + "\n");
    ASSERT_NE(fragmentLine, std::string::npos) << out;
    // The compiler's log stands between the two lines and ends in a line feed.
    const std::string log = out.substr(vertexLine.size(), fragmentLine - vertexLine.size());
    EXPECT_GT(log.size(), 1u);
    EXPECT_EQ(log.back(), '\n');
}
