#pragma once

#include <glm/vec3.hpp>

#include "player/Player.h"

// Every tuning value of the game shell in one place. The command line chooses
// how a run is played, never these values; there is no settings file: the
// game is what these say.
namespace game {

constexpr int windowWidthPixels = 1024;
constexpr int windowHeightPixels = 768;
constexpr const char* windowTitle = "Quorralith";
constexpr int multisampleCount = 4;
// Dark blue, alpha 0: the sky over the maze, and what far walls fade into.
constexpr float clearColour[4] = {0.0f, 0.0f, 0.4f, 0.0f};

// Rooms along z (rows) and along x (columns): a 21 x 21 grid of cells.
constexpr int roomRows = 10;
constexpr int roomColumns = 10;

// The centre of the entrance cell (row 0, column 1) at standing eye height.
constexpr glm::vec3 startPosition{2.0f, standingEyeHeight, 0.0f};

// The light travels half a unit in front of the eye.
constexpr float lightDistanceAheadOfEye = 0.5f;

// The sculpture stands in the outside cell beyond the exit opening, turned a
// hair less than half a turn (the single-precision value of 3.14159).
constexpr float sculptureHeight = 1.2f;
constexpr float sculptureTurnRadians = 3.14159f;
constexpr glm::vec3 verticalAxis{0.0f, 1.0f, 0.0f};

// The score line, in the text overlay's 800 x 600 pixel space (y up).
constexpr int scoreLineX = 10;
constexpr int scoreLineY = 560;
constexpr int scoreLineSizePixels = 25;

constexpr double reportIntervalSeconds = 1.0;
// Longer than any frame that is really drawn: twice the longest frame of a
// two-core machine loaded eight times over (1.4 s), twelve times a frame of a
// machine that draws four a second. A longer gap between two frames is time
// the process was stopped, which the game takes as a pause.
constexpr double longestFrameSeconds = 3.0;

}  // namespace game

// The files the scene reads from the working directory.
namespace asset {

constexpr const char* cubeMesh = "cube_clean.obj";
constexpr const char* sculptureMesh = "suzanne.obj";
constexpr const char* wallVertexShader = "StandardShading.vertexshader";
constexpr const char* wallFragmentShader = "StandardShading.fragmentshader";
constexpr const char* wallDiffuseTexture = "diffuse.DDS";
constexpr const char* wallSpecularTexture = "specular.DDS";
constexpr const char* wallNormalTexture = "normal.bmp";
// The same normal map in fewer levels a channel, for the page: half the
// bytes to download once gzipped, and still the diffuse map's size, as the
// wall shader reads both at one texel and level.
constexpr const char* wallWebNormalTexture = "normal-web.bmp";
constexpr const char* foodVertexShader = "foodShader.vertexshader";
constexpr const char* foodFragmentShader = "foodShader.fragmentshader";
// The block shaders as the page's instanced draws take them (MazeDrawing).
constexpr const char* wallInstancedVertexShader = "StandardShadingInstanced.vertexshader";
constexpr const char* foodInstancedVertexShader = "foodShaderInstanced.vertexshader";
constexpr const char* sculptureVertexShader = "suzanne.vertexshader";
constexpr const char* sculptureFragmentShader = "suzanne.fragmentshader";
constexpr const char* sculptureDiffuseTexture = "grad.DDS";
constexpr const char* glyphAtlas = "Holstein.DDS";

}  // namespace asset
