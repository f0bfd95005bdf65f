#include "assets/ObjParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "assets/AssetFiles.h"
#include "assets/CLibraryObjReader.h"

namespace {

ObjParseResult parse(const std::string& text) {
    // An exactly sized heap copy, so that the sanitizer build sees any read
    // past the end.
    const Bytes bytes = bytesOf(text);
    return parseObjMesh(bytes.data(), bytes.size());
}

ObjFileContents contentsOf(const std::string& text) {
    const Bytes bytes = bytesOf(text);
    return readObjContents(bytes.data(), bytes.size());
}

// One position, uv and normal, enough for faces of "1/1/1" corners.
const std::string kOneOfEach = "v 1 2 3\nvt 0.5 0.5\nvn 0 0 1\n";

}  // namespace

TEST(ObjParser, TextureVIsNegatedNotFlipped) {
    const ObjFileContents contents = contentsOf("vt 0.25 0.75\n");
    ASSERT_EQ(contents.temp_uvs.size(), 1u);
    EXPECT_EQ(contents.temp_uvs[0], glm::vec2(0.25f, -0.75f));
}

TEST(ObjParser, CornersComeOutInFileOrder) {
    const ObjParseResult result = parse(
        "v 1 0 0\nv 0 1 0\nv 0 0 1\nvt 0 0.5\nvt 1 0.25\nvn 0 0 1\nvn 0 1 0\n"
        "f 1/1/1 2/2/2 3/1/2\nf 3/2/1 1/1/1 2/2/2\n");
    ASSERT_EQ(result.status, ObjParseStatus::Ok);
    ASSERT_EQ(result.mesh.positions.size(), 6u);
    EXPECT_EQ(result.mesh.positions[2], glm::vec3(0, 0, 1));
    EXPECT_EQ(result.mesh.uvs[1], glm::vec2(1, -0.25f));
    EXPECT_EQ(result.mesh.normals[2], glm::vec3(0, 1, 0));
    EXPECT_EQ(result.mesh.positions[3], glm::vec3(0, 0, 1));
    EXPECT_EQ(result.mesh.uvs[3], glm::vec2(1, -0.25f));
    EXPECT_EQ(result.mesh.normals[3], glm::vec3(0, 0, 1));
}

TEST(ObjParser, FourCornerFaceKeepsItsFirstThreeCorners) {
    const ObjParseResult result =
        parse(kOneOfEach + "f 1/1/1 1/1/1 1/1/1 1/1/1 f 9/9/9 9/9/9 9/9/9\nf 1/1/1 1/1/1 1/1/1\n");
    ASSERT_EQ(result.status, ObjParseStatus::Ok);
    // The fourth corner is an unknown tag whose line, with the bad face on
    // it, is dropped; the next line's face is read.
    EXPECT_EQ(result.mesh.positions.size(), 6u);
}

TEST(ObjParser, ExtraNumbersAreTagsThatDropTheRestOfTheirLine) {
    const ObjFileContents contents =
        contentsOf("v 1 2 3 4 v 9 9 9\nvt 0.5 0.25 1 vt 9 9\nv 5 6 7\n");
    ASSERT_EQ(contents.temp_vertices.size(), 2u);
    EXPECT_EQ(contents.temp_vertices[0], glm::vec3(1, 2, 3));
    EXPECT_EQ(contents.temp_vertices[1], glm::vec3(5, 6, 7));
    ASSERT_EQ(contents.temp_uvs.size(), 1u);
    EXPECT_EQ(contents.temp_uvs[0], glm::vec2(0.5f, -0.25f));
}

TEST(ObjParser, MissingNumbersStayZeroAndTheWordIsTheNextTag) {
    const ObjFileContents contents = contentsOf("v 1 2\nvn 4\nvt\nf 1/1/1 1/1/1 1/1/1");
    EXPECT_EQ(contents.temp_vertices, std::vector<glm::vec3>{glm::vec3(1, 2, 0)});
    EXPECT_EQ(contents.temp_normals, std::vector<glm::vec3>{glm::vec3(4, 0, 0)});
    EXPECT_EQ(contents.temp_uvs, std::vector<glm::vec2>{glm::vec2(0, 0)});
    EXPECT_EQ(contents.vertexIndices.size(), 3u);
}

TEST(ObjParser, FacesBeforeTheirVerticesResolve) {
    const ObjParseResult result =
        parse("f 2/1/1 1/1/1 2/1/1\nv 1 0 0\nv 0 5 0\nvt 0 0\nvn 1 0 0\n");
    ASSERT_EQ(result.status, ObjParseStatus::Ok);
    ASSERT_EQ(result.mesh.positions.size(), 3u);
    EXPECT_EQ(result.mesh.positions[0], glm::vec3(0, 5, 0));
    EXPECT_EQ(result.mesh.positions[1], glm::vec3(1, 0, 0));
}

TEST(ObjParser, SkippedLineResumesAfterItsFirst999Characters) {
    // The dropped text starts right after the tag, with its space.
    const std::string exactly999 = " " + std::string(998, 'a');
    EXPECT_EQ(contentsOf("#" + exactly999 + "v 1 2 3\n").temp_vertices,
              std::vector<glm::vec3>{glm::vec3(1, 2, 3)});
    // One character shorter, the "v" is the last character dropped.
    EXPECT_TRUE(contentsOf("#" + exactly999.substr(1) + "v 1 2 3\n").temp_vertices.empty());
    // 998 characters and the line feed are dropped as one line.
    EXPECT_EQ(contentsOf("#" + exactly999.substr(1) + "\nv 1 2 3\n").temp_vertices.size(), 1u);
}

TEST(ObjParser, FileWithoutFinalLineFeedIsReadToTheEnd) {
    const ObjParseResult result = parse("v 1 2 3\nvt 0 1\nvn 0 1 0\nf 1/1/1 1/1/1 1/1/1");
    ASSERT_EQ(result.status, ObjParseStatus::Ok);
    EXPECT_EQ(result.mesh.positions.size(), 3u);
    EXPECT_EQ(contentsOf("v 1 2 3").temp_vertices, std::vector<glm::vec3>{glm::vec3(1, 2, 3)});
}

TEST(ObjParser, FileWithoutFacesGivesEmptyMesh) {
    const ObjParseResult result = parse(kOneOfEach + "# no faces\ns off\n");
    EXPECT_EQ(result.status, ObjParseStatus::Ok);
    EXPECT_TRUE(result.mesh.positions.empty());
    EXPECT_TRUE(result.mesh.uvs.empty());
    EXPECT_TRUE(result.mesh.normals.empty());
    EXPECT_EQ(parse("").status, ObjParseStatus::Ok);
}

TEST(ObjParser, CrLfLineEndsReadLikeLineFeeds) {
    const ObjParseResult result =
        parse("v 1 2 3\r\nvt 0 1\r\nvn 0 1 0\r\n# note\r\nf 1/1/1 1/1/1 1/1/1\r\n");
    ASSERT_EQ(result.status, ObjParseStatus::Ok);
    EXPECT_EQ(result.mesh.positions, std::vector<glm::vec3>(3, glm::vec3(1, 2, 3)));
}

TEST(ObjParser, TagsAreWholeCaseSensitiveWords) {
    const ObjFileContents contents = contentsOf("V 1 2 3\nvx 1 2 3\nvnn 1 2 3\nvn 4 5 6\n");
    EXPECT_TRUE(contents.temp_vertices.empty());
    EXPECT_EQ(contents.temp_normals, std::vector<glm::vec3>{glm::vec3(4, 5, 6)});
}

TEST(ObjParser, NumbersReadAsCFormattedInputReadsThem) {
    EXPECT_EQ(contentsOf("v 1e2 -0x10 .5\n").temp_vertices[0], glm::vec3(100, -16, 0.5f));
    // "1e" is taken whole; the 'e' is lost and the z that follows is read.
    EXPECT_EQ(contentsOf("v 1e 2 3\n").temp_vertices[0], glm::vec3(1, 2, 3));
}

TEST(ObjParser, FaceCornersMaySpanLinesButSlashesMustFollowDirectly) {
    EXPECT_EQ(parse(kOneOfEach + "f 1/1/1\n1/1/1\n\n1/1/1").status, ObjParseStatus::Ok);
    EXPECT_EQ(parse(kOneOfEach + "f 1/ 1/ 1 1/1/1 1/1/1").status, ObjParseStatus::Ok);
    EXPECT_EQ(parse(kOneOfEach + "f 1 /1/1 1/1/1 1/1/1").status, ObjParseStatus::MalformedFace);
}

TEST(ObjParser, FaceThatIsNotNineIndicesFailsTheRead) {
    for (const char* face : {"f 1//1 1//1 1//1\n", "f 1 1 1\n", "f", "f 1/1/1 1/1/1\n",
                             "f 1/1/1 1/1/1 1/1\n", "f 1/1/x 1/1/1 1/1/1\n"}) {
        SCOPED_TRACE(face);
        const ObjParseResult result = parse(kOneOfEach + "f 1/1/1 1/1/1 1/1/1\n" + face);
        EXPECT_EQ(result.status, ObjParseStatus::MalformedFace);
        EXPECT_TRUE(result.mesh.positions.empty());
    }
}

TEST(ObjParser, IndexOutsideItsListFailsTheLoad) {
    const std::string mesh = kOneOfEach + "v 4 5 6\n";
    for (const char* face :
         {"f 1/1/1 0/1/1 1/1/1\n", "f 1/1/1 1/1/1 1/-1/1\n", "f 1/1/1 3/1/1 1/1/1\n",
          "f 1/1/1 1/2/1 1/1/1\n", "f 1/1/1 1/1/2 1/1/1\n", "f 1/1/-2147483648 1/1/1 1/1/1\n"}) {
        SCOPED_TRACE(face);
        const ObjParseResult result = parse(mesh + "f 2/1/1 2/1/1 2/1/1\n" + face);
        EXPECT_EQ(result.status, ObjParseStatus::IndexOutOfRange);
        EXPECT_EQ(result.badFace, 1u);
        EXPECT_TRUE(result.mesh.positions.empty());
    }
}

TEST(ObjParser, TagOf128OrMoreCharactersIsUnknownAndItsRestIsDropped) {
    // The first 127 characters are the tag; the rest of the word, and of the
    // line, is the text that is skipped.
    const std::string longWord = std::string(127, 'x') + "v";
    EXPECT_TRUE(contentsOf(longWord + " 1 2 3\n").temp_vertices.empty());
    EXPECT_EQ(contentsOf(std::string(5000, 'v') + "\nv 4 5 6\n").temp_vertices,
              std::vector<glm::vec3>{glm::vec3(4, 5, 6)});
    // Exactly 127 characters is still one word and one tag.
    EXPECT_TRUE(contentsOf(std::string(127, 'v') + " v 1 2 3\nv 4 5 6\n").temp_vertices.size() ==
                1);
}

namespace {

ObjFileContents readWithCLibrary(const Bytes& bytes) {
    return readObjWithCLibrary(bytes.data(), bytes.size());
}

void expectSameContents(const ObjFileContents& actual, const ObjFileContents& expected) {
    EXPECT_EQ(actual.malformedFace, expected.malformedFace);
    EXPECT_TRUE(sameBits(actual.temp_vertices, expected.temp_vertices));
    EXPECT_TRUE(sameBits(actual.temp_uvs, expected.temp_uvs));
    EXPECT_TRUE(sameBits(actual.temp_normals, expected.temp_normals));
    EXPECT_EQ(actual.vertexIndices, expected.vertexIndices);
    EXPECT_EQ(actual.uvIndices, expected.uvIndices);
    EXPECT_EQ(actual.normalIndices, expected.normalIndices);
}

// A face line whose integers are mostly well-formed, some out of the int or
// long range, some with a stray space or letter.
std::string randomFace(std::mt19937& random) {
    static const std::vector<std::string> numbers = {"1",
                                                     "2",
                                                     "-2",
                                                     "+3",
                                                     "007",
                                                     "4294967297",
                                                     "-2147483649",
                                                     "2147483648",
                                                     "-2147483649429496729",
                                                     "99999999999999999999",
                                                     "-99999999999999999999",
                                                     "x",
                                                     "",
                                                     " 1",
                                                     "1 "};
    std::string face = "f";
    for (int corner = 0; corner < 3; ++corner) {
        face += " ";
        for (int part = 0; part < 3; ++part) {
            face += (part > 0 ? "/" : "") + numbers[random() % numbers.size()];
        }
    }
    return face + "\n";
}

// Files made of the words, numbers and separators where formatted input has
// its corners: signs, exponents, hex, nan and inf, slashes, overflowing
// integers, NUL bytes, CR, over-long words and lines.
Bytes randomObjFile(std::mt19937& random) {
    static const std::vector<std::string> pieces = {"v",
                                                    "vt",
                                                    "vn",
                                                    "f",
                                                    "#",
                                                    "g",
                                                    " ",
                                                    "  ",
                                                    "\t",
                                                    "\n",
                                                    "\r\n",
                                                    "\v",
                                                    "\f",
                                                    std::string(1, '\0'),
                                                    "1",
                                                    "-2",
                                                    "+3",
                                                    "0",
                                                    "007",
                                                    "3.5",
                                                    ".5",
                                                    "5.",
                                                    "1e3",
                                                    "1E-2",
                                                    "1e",
                                                    "1e+",
                                                    "-",
                                                    "+",
                                                    ".",
                                                    "e5",
                                                    "0x1p3",
                                                    "0x",
                                                    "0X1.8P1",
                                                    "0xg",
                                                    "0x.8",
                                                    "nan",
                                                    "NaN",
                                                    "-inf",
                                                    "infinity",
                                                    "infinit",
                                                    "INFx",
                                                    "nax",
                                                    "/",
                                                    "//",
                                                    "1/2/3",
                                                    "1/1/1 2/2/2 3/3/3",
                                                    "a",
                                                    "abc",
                                                    "99999999999",
                                                    "2147483649429496729",
                                                    "4294967297",
                                                    "-2147483649",
                                                    "1.5.3",
                                                    std::string(130, 'w'),
                                                    std::string(1000, 'a')};
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    Bytes file;
    for (int n = length(random); n > 0; --n) {
        const std::string piece = random() % 4 == 0 ? randomFace(random) : pieces[pick(random)];
        file.insert(file.end(), piece.begin(), piece.end());
    }
    return file;
}

}  // namespace

TEST(ObjParser, ReadsWhatTheCLibrarysFormattedInputReads) {
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 3000; ++trial) {
        const Bytes file = randomObjFile(random);
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        expectSameContents(readObjContents(file.data(), file.size()), readWithCLibrary(file));
        if (HasFailure()) {
            return;
        }
    }
}

TEST(ObjParser, EveryTruncationOfAMeshReadsAsTheCLibraryReadsIt) {
    const Bytes file = bytesOf(
        "# cube corner\nv 1.0 -1.0 1e0\nv -1 1 -0.5\nvt 0.25 0.75\nvn 0 0 1\n"
        "f 1/1/1 2/1/1 1/1/1\nusemtl none\nf 2/1/1 1/1/1 2/1/1\n");
    for (std::size_t size = 0; size <= file.size(); ++size) {
        SCOPED_TRACE(size);
        const Bytes prefix(file.begin(), file.begin() + size);
        expectSameContents(readObjContents(prefix.data(), prefix.size()), readWithCLibrary(prefix));
    }
}
