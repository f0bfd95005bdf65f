#include "MazeMeasures.h"

#include <cstdio>
#include <utility>

#include "app/GameConstants.h"
#include "maze/MazeBlocks.h"
#include "maze/MazeGrid.h"
#include "player/Controls.h"
#include "player/Player.h"

namespace {

const char* const kMazeMeasuresMarker = "// <maze measures>\n";
const char* const kEyeMeasuresMarker = "// <eye measures>\n";
const char* const kSkyMeasuresMarker = "// <sky measures>\n";
const char* const kPillarRuleMarker = "// <pillar rule>\n";

// Enough digits that the GLSL literal reads back as the very same float, and
// always a decimal point, so that GLSL takes it for a float.
std::string floatLiteral(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    std::string literal(text);
    if (literal.find_first_of(".e") == std::string::npos) {
        literal += ".0";
    }
    return literal;
}

std::string floatConstant(const char* name, float value, const char* meaning) {
    return std::string("const float ") + name + " = " + floatLiteral(value) + ";  // " + meaning +
           "\n";
}

std::string mazeMeasuresGlsl() {
    const int gridColumns = gridSizeFor(game::roomColumns);
    const int gridRows = gridSizeFor(game::roomRows);
    return floatConstant("CellPitch", cellPitch, "world units between neighbouring cell centres") +
           floatConstant("FloorCentreY", MazeBlocks::floorCentreY,
                         "height of a floor block's centre") +
           floatConstant("WallCentreY", MazeBlocks::wallCentreY,
                         "height of a pillar's or wall's centre") +
           floatConstant("WallThickness", MazeBlocks::wallThickness,
                         "a wall's scale across its length") +
           "const ivec2 GridCells = ivec2(" + std::to_string(gridColumns) + ", " +
           std::to_string(gridRows) + ");  // columns (along x), rows (along z)\n";
}

std::string eyeMeasuresGlsl() {
    return floatConstant("LightLead", game::lightDistanceAheadOfEye,
                         "how far before the eye the game places its light") +
           floatConstant("NearestRest", nearestRestFromAWall,
                         "the nearest the eye comes to a solid cell") +
           floatConstant("FarPlane", farPlaneDistance, "how far the view reaches");
}

std::string skyMeasuresGlsl() {
    return "const vec3 ClearColour = vec3(" + floatLiteral(game::clearColour[0]) + ", " +
           floatLiteral(game::clearColour[1]) + ", " + floatLiteral(game::clearColour[2]) +
           ");  // the sky, which the window is cleared to\n";
}

// The grid's pillar test (isPillarCell) for a block's (column, row): the
// same remainder of both by the same period.
std::string pillarRuleGlsl() {
    return "bool pillarStandsOn(ivec2 cell) {\n"
           "    return all(equal(cell % " +
           std::to_string(cellKindPeriod) + ", ivec2(" + std::to_string(pillarLineRemainder) +
           ")));\n"
           "}\n";
}

}  // namespace

std::string withGameMeasures(const std::string& shaderText) {
    std::string text = shaderText;
    for (const auto& [marker, measures] :
         {std::pair<std::string, std::string>(kMazeMeasuresMarker, mazeMeasuresGlsl()),
          std::pair<std::string, std::string>(kEyeMeasuresMarker, eyeMeasuresGlsl()),
          std::pair<std::string, std::string>(kSkyMeasuresMarker, skyMeasuresGlsl()),
          std::pair<std::string, std::string>(kPillarRuleMarker, pillarRuleGlsl())}) {
        const std::size_t at = text.find(marker);
        if (at != std::string::npos) {
            text.replace(at, marker.size(), measures);
        }
    }
    return text;
}
