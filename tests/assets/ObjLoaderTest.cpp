#include "assets/ObjLoader.h"

#include <gtest/gtest.h>

#include "assets/AssetFiles.h"
#include "support/ConsoleCapture.h"

namespace {

struct Outputs {
    // Not empty, so that a failed load that touched them would show.
    std::vector<glm::vec3> positions{glm::vec3(7)};
    std::vector<glm::vec2> uvs{glm::vec2(7)};
    std::vector<glm::vec3> normals{glm::vec3(7)};
};

struct Load {
    bool ok = false;
    ConsoleCapture console;
};

Load load(const std::string& path, Outputs& out) {
    Load result;
    result.console = captureConsole(
        [&] { result.ok = readObjMesh(path.c_str(), out.positions, out.uvs, out.normals); });
    return result;
}

void expectUntouched(const Outputs& out) {
    EXPECT_EQ(out.positions, std::vector<glm::vec3>{glm::vec3(7)});
    EXPECT_EQ(out.uvs, std::vector<glm::vec2>{glm::vec2(7)});
    EXPECT_EQ(out.normals, std::vector<glm::vec3>{glm::vec3(7)});
}

// A file that is read but refused: the loading line, then the message (in
// which PATH stands for the file's path), no wait, outputs untouched.
void expectFailsWithoutWaiting(const std::string& text, std::string message) {
    ScratchDirectory dir;
    const std::string path = dir.write("refused.obj", text);
    const std::size_t placeholder = message.find("PATH");
    if (placeholder != std::string::npos) {
        message.replace(placeholder, 4, path);
    }
    Outputs out;
    const Load result = load(path, out);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.console.standardOutput, "Loading OBJ file " + path + "...\n" + message);
    EXPECT_EQ(result.console.bytesReadFromStandardInput, 0);
    expectUntouched(out);
}

}  // namespace

TEST(ObjLoader, AppendsTheCornersAfterTheLoadingLine) {
    ScratchDirectory dir;
    const std::string path =
        dir.write("tri.obj", "v 1 2 3\nvt 0.25 0.75\nvn 0 1 0\nf 1/1/1 1/1/1 1/1/1\n");
    Outputs out;
    const Load result = load(path, out);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.console.standardOutput, "Loading OBJ file " + path + "...\n");
    EXPECT_EQ(result.console.bytesReadFromStandardInput, 0);
    ASSERT_EQ(out.positions.size(), 4u);
    EXPECT_EQ(out.positions[3], glm::vec3(1, 2, 3));
    EXPECT_EQ(out.uvs[3], glm::vec2(0.25f, -0.75f));
    EXPECT_EQ(out.normals[3], glm::vec3(0, 1, 0));
}

TEST(ObjLoader, MissingFileIsReportedAndWaitsForOneCharacter) {
    ScratchDirectory dir;
    const std::string path = dir.missing("absent.obj");
    Outputs out;
    const Load result = load(path, out);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.console.standardOutput,
              "Loading OBJ file " + path +
                  "...\nImpossible to open the file ! Are you in the right path ? See Tutorial 1 "
                  "for details\n");
    EXPECT_EQ(result.console.bytesReadFromStandardInput, 1);
    expectUntouched(out);
}

TEST(ObjLoader, MalformedFaceIsReportedWithoutWaiting) {
    expectFailsWithoutWaiting(
        "v 1 2 3\nvn 0 1 0\nf 1//1 1//1 1//1\n",
        "File can't be read by our simple parser :-( Try exporting with other options\n");
}

TEST(ObjLoader, IndexOutsideTheFileIsReportedWithoutWaiting) {
    expectFailsWithoutWaiting("v 1 2 3\nvt 0 0\nvn 0 1 0\nf 1/1/1 1/1/1 2/1/1\n",
                              "PATH: face 1 names a vertex, texture coordinate or normal that the "
                              "file does not have\n");
}
