// Writes every data file the game reads (meshes, textures, shaders and
// sounds), and
// the icons, which the game never reads: the desktop's into a directory of its
// own, the web page's (home screens) into another.
// Usage: generate_assets DATA_DIRECTORY ICON_DIRECTORY WEB_ICON_DIRECTORY
// The output depends on nothing but this code, its shader sources and the
// font: the same bytes on every run, so data/ changes only when they do.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "BmpWriter.h"
#include "ByteWriter.h"
#include "CubeMesh.h"
#include "DdsWriter.h"
#include "GlyphAtlas.h"
#include "Icon.h"
#include "InstancedShader.h"
#include "MazeMeasures.h"
#include "ObjWriter.h"
#include "PngWriter.h"
#include "StoneWall.h"
#include "Trophy.h"
#include "app/GameConstants.h"
#include "WavWriter.h"
#include "sound/SoundConstants.h"
#include "Sounds.h"

namespace {

// The wall shader reads the nearest texel, unfiltered, for speed; at this size
// a texel stays about a pixel wide even with the player's nose at a wall.
constexpr int kWallTextureSize = 1024;
constexpr int kTrophyTextureSize = 256;
constexpr int kWebNormalBits = 6;
constexpr int kAtlasSize = 512;  // 32-texel cells
constexpr int kIconSize = 64;

struct WebIcon {
    const char* name;
    int sizePixels;
    IconCrop crop;
};
// What home screens ask a web app for: 192 and 512 pixels (Android, and the
// install prompt), a maskable one that a launcher may cut to its own shape,
// and 180 for iOS, which rounds the corners itself.
constexpr WebIcon kWebIcons[] = {
    {"quorralith-192.png", 192, IconCrop::Whole},
    {"quorralith-512.png", 512, IconCrop::Whole},
    {"quorralith-maskable-512.png", 512, IconCrop::Maskable},
    {"quorralith-180.png", 180, IconCrop::Whole},
};
const char* const kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

const char* const kShaderFiles[] = {
    "StandardShading.vertexshader",  "StandardShading.fragmentshader",
    "foodShader.vertexshader",       "foodShader.fragmentshader",
    "suzanne.vertexshader",          "suzanne.fragmentshader",
    "TextVertexShader.vertexshader", "TextVertexShader.fragmentshader",
};

// The block shaders that the page's instanced draws take in their variant.
const std::pair<const char*, const char*> kInstancedShaders[] = {
    {asset::wallVertexShader, asset::wallInstancedVertexShader},
    {asset::foodVertexShader, asset::foodInstancedVertexShader},
};

class Output {
  public:
    explicit Output(std::string directory) : directory(std::move(directory)) {}

    template <typename Content>
    bool write(const std::string& name, const Content& content) {
        const std::string path = directory + "/" + name;
        if (!writeFile(path, content)) {
            return false;
        }
        std::printf("wrote %s\n", path.c_str());
        return true;
    }

  private:
    std::string directory;
};

bool readText(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return true;
}

bool writeMeshes(Output& output) {
    return output.write("cube_clean.obj", encodeObj(makeCube(), "Wall and food block")) &&
           output.write("suzanne.obj", encodeObj(makeTrophyMesh(), "Trophy beyond the exit"));
}

bool writeTextures(Output& output, const WallMaterial& wall) {
    const std::optional<Image> atlas = renderGlyphAtlas(kFontPath, kAtlasSize);
    return output.write("diffuse.DDS", encodeDds(wall.diffuse, DxtFormat::Dxt5)) &&
           output.write("specular.DDS", encodeDds(wall.specular, DxtFormat::Dxt1)) &&
           output.write("normal.bmp", encodeBmp(wall.normal)) &&
           // The same relief for the page, each channel in 6 bits rather
           // than 8: a turn of a degree at most, and half the bytes once
           // gzipped, as the page downloads its data.
           output.write("normal-web.bmp",
                        encodeBmp(withFewerLevels(wall.normal, kWebNormalBits))) &&
           output.write("grad.DDS",
                        encodeDds(makeTrophyGradient(kTrophyTextureSize), DxtFormat::Dxt1)) &&
           atlas && output.write("Holstein.DDS", encodeDds(*atlas, DxtFormat::Dxt5));
}

std::string shaderSourcePath(const std::string& name) {
    return std::string(QUORRALITH_SHADER_SOURCE_DIR) + "/" + name;
}

// GLSL has no #include: the generator pastes the pieces that several shaders
// share in place of each `#include "NAME"` line, so every file in data/
// stands alone and the game's shader loader stays a plain file reader.
bool readShaderSource(const std::string& name, std::string& text) {
    std::string source;
    if (!readText(shaderSourcePath(name), source)) {
        return false;
    }
    const std::string directive = "#include \"";
    std::istringstream lines(source);
    std::string line;
    text.clear();
    while (std::getline(lines, line)) {
        if (line.rfind(directive, 0) != 0) {
            text += line + "\n";
            continue;
        }
        const std::size_t nameEnd = line.find('"', directive.size());
        std::string piece;
        if (!readText(shaderSourcePath(line.substr(directive.size(), nameEnd - directive.size())),
                      piece)) {
            return false;
        }
        text += piece;
    }
    return true;
}

bool copyShaders(Output& output) {
    for (const char* name : kShaderFiles) {
        std::string text;
        if (!readShaderSource(name, text) || !output.write(name, withGameMeasures(text))) {
            return false;
        }
    }
    for (const auto& [perBlock, instanced] : kInstancedShaders) {
        std::string text;
        if (!readShaderSource(perBlock, text) ||
            !output.write(instanced, withGameMeasures(instancedBlockShader(text)))) {
            return false;
        }
    }
    return true;
}

// Sounds as 16-bit mono PCM: OpenAL plays it as it is on both builds, so the
// game needs no decoder, and only a mono clip can be placed in the maze.
// 22,050 samples a second carry everything up to 11 kHz, more than these
// sounds hold, at half the bytes of CD rate.
bool writeSounds(Output& output) {
    return output.write(sound::pickupChimeFile, encodeWav(makePickupChime(), soundSampleRate)) &&
           output.write(sound::footstepFile, encodeWav(makeFootstep(), soundSampleRate)) &&
           output.write(sound::bumpFile, encodeWav(makeBump(), soundSampleRate)) &&
           output.write(sound::humFile, encodeWav(makeHum(), soundSampleRate));
}

bool writePng(Output& output, const std::string& name, const Image& image) {
    const std::vector<std::uint8_t> png = encodePng(image);
    if (png.empty()) {
        std::fprintf(stderr, "cannot compress %s\n", name.c_str());
        return false;
    }
    return output.write(name, png);
}

// The icons show the same stone as the walls.
bool writeIcon(Output& output, const WallMaterial& wall) {
    return writePng(output, "quorralith.png", makeIcon(wall.diffuse, kIconSize));
}

bool writeWebIcons(Output& output, const WallMaterial& wall) {
    for (const WebIcon& icon : kWebIcons) {
        if (!writePng(output, icon.name, makeIcon(wall.diffuse, icon.sizePixels, icon.crop))) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s DATA_DIRECTORY ICON_DIRECTORY WEB_ICON_DIRECTORY\n",
                     argv[0]);
        return 2;
    }
    Output data(argv[1]);
    Output icon(argv[2]);
    Output webIcons(argv[3]);
    const WallMaterial wall = makeStoneWall(kWallTextureSize);
    const bool written = writeMeshes(data) && writeTextures(data, wall) && copyShaders(data) && writeSounds(data) &&
                         writeIcon(icon, wall) && writeWebIcons(webIcons, wall);
    return written ? 0 : 1;
}
