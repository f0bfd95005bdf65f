// Every data file missing in turn, and in its place one of each kind of thing
// that is not a regular file: the scene is still built, drawn and released
// without a GL error, and the loader of that file said that it is missing in
// its own words, and waited for a key if it is one that waits.

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "GameDataGlTest.h"
#include "app/GameConstants.h"
#include "app/Scene.h"
#include "assets/AssetFiles.h"
#include "render/FileExtension.h"
#include "support/ConsoleCapture.h"
#include "support/HiddenWindow.h"

namespace {

namespace fs = std::filesystem;

// What takes the file's place: nothing, or something that every loader must
// take for a missing file (they all read through the same check).
enum class StandIn { nothing, directory, fifo, linkToDevice };
const char* const standInNames[] = {"nothing", "a directory", "a FIFO", "a link to /dev/urandom"};

struct Absence {
    std::string file;
    StandIn standIn;
};

std::vector<Absence> absences() {
    std::vector<Absence> rows;
    for (const fs::directory_entry& entry : fs::directory_iterator(QUORRALITH_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        // The page's instanced block shaders and normal map, which the
        // desktop never reads, and the sound clips: a missing clip is a
        // silent sound.
        if (name != asset::wallInstancedVertexShader && name != asset::foodInstancedVertexShader &&
            name != asset::wallWebNormalTexture && entry.path().extension() != ".wav") {
            rows.push_back({name, StandIn::nothing});
        }
    }
    rows.push_back({asset::sculptureMesh, StandIn::directory});
    rows.push_back({asset::foodVertexShader, StandIn::fifo});
    rows.push_back({asset::wallNormalTexture, StandIn::linkToDevice});
    return rows;
}

void putStandIn(const fs::path& path, StandIn standIn) {
    if (standIn == StandIn::directory) {
        fs::create_directory(path);
    } else if (standIn == StandIn::fifo) {
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    } else if (standIn == StandIn::linkToDevice) {
        fs::create_symlink("/dev/urandom", path);
    }
}

std::vector<std::string> linesOf(const std::string& console) {
    std::vector<std::string> lines;
    std::istringstream in(console);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool hasLine(const std::vector<std::string>& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

std::string lineAfter(const std::vector<std::string>& lines, const std::string& text) {
    const auto at = std::find(lines.begin(), lines.end(), text);
    return at == lines.end() || at + 1 == lines.end() ? "" : *(at + 1);
}

bool endsWith(const std::string& file, const char* ending) {
    return endsWithIgnoreCase(file.c_str(), ending);
}

// The loader of `file`, chosen by its ending as the game chooses, said that
// the file is missing in the words that loader uses.
void expectReportedMissing(const std::string& file, const std::vector<std::string>& lines) {
    const std::string compiling = "Compiling shader : " + file;
    const std::string directoryHint =
        ". Are you in the right directory ? Don't forget to read the FAQ !";
    if (endsWith(file, "obj")) {
        // The message does not name the file: it comes right after the line that does.
        EXPECT_EQ(lineAfter(lines, "Loading OBJ file " + file + "..."),
                  "Impossible to open the file ! Are you in the right path ? See Tutorial 1 for "
                  "details");
    } else if (endsWith(file, "vertexshader")) {
        EXPECT_TRUE(hasLine(lines, "Impossible to open " + file + directoryHint));
        // The build stops there: nothing is compiled from this pair.
        const std::string stem = fs::path(file).stem().string();
        EXPECT_FALSE(hasLine(lines, compiling));
        EXPECT_FALSE(hasLine(lines, "Compiling shader : " + stem + ".fragmentshader"));
    } else if (endsWith(file, "fragmentshader")) {
        // No message of its own: it is compiled from an empty text, and only
        // the compiler's and linker's logs tell.
        EXPECT_TRUE(hasLine(lines, compiling));
        EXPECT_TRUE(std::all_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(file) == std::string::npos || line == compiling;
        }));
    } else if (endsWith(file, "bmp")) {
        EXPECT_TRUE(hasLine(lines, "Reading image " + file));
        EXPECT_TRUE(hasLine(lines, file + " could not be opened" + directoryHint));
    } else if (endsWith(file, "dds")) {
        EXPECT_TRUE(hasLine(lines, file + " could not be opened" + directoryHint));
    } else {
        ADD_FAILURE() << "no loader message known for " << file << ": teach this test its words";
    }
}

// The text overlay, unlike the models, asks a program that did not build for
// its sampler and draws with it, which GL answers with an error; until it
// checks as Model does, the rows of its own pair are not held to a clean queue.
bool overlayShaderMissing(const std::string& file) {
    return fs::path(file).stem() == "TextVertexShader";
}

class MissingDataGl : public GameDataGlTest {};

}  // namespace

TEST_F(MissingDataGl, EachMissingFileIsReportedByItsLoaderAndTheSceneStillDraws) {
    const ScratchDirectory scratch;
    int run = 0;
    for (const Absence& absence : absences()) {
        const fs::path data = scratch.missing("run-" + std::to_string(++run));
        fs::copy(QUORRALITH_DATA_DIR, data);
        fs::remove(data / absence.file);
        putStandIn(data / absence.file, absence.standIn);
        SCOPED_TRACE(absence.file + " replaced by " +
                     standInNames[static_cast<int>(absence.standIn)]);
        ASSERT_EQ(chdir(data.c_str()), 0);
        clearGlErrors();
        const ConsoleCapture console = captureConsole([] {
            Scene scene(game::roomRows, game::roomColumns);
            scene.draw();
            scene.drawScoreLine("Points:   0/101");
            scene.release();
        });
        SCOPED_TRACE(console.standardOutput);
        if (!overlayShaderMissing(absence.file)) {
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        }
        expectReportedMissing(absence.file, linesOf(console.standardOutput));
        // Every loader but a fragment shader's waits for a key after the report.
        EXPECT_EQ(console.bytesReadFromStandardInput > 0,
                  !endsWith(absence.file, "fragmentshader"));
    }
}
