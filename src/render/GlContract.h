#pragma once

// What the game's code and its shader files agree on. The attribute locations
// are fixed in the shader text with layout qualifiers, since nothing is bound
// before linking; the names are looked up after it. A uniform that a program
// does not declare is simply not set.
namespace glcontract {

// Vertex attributes of a model, and the first two for the text overlay.
constexpr unsigned positionLocation = 0;
constexpr unsigned uvLocation = 1;
constexpr unsigned normalLocation = 2;
constexpr unsigned tangentLocation = 3;
constexpr unsigned bitangentLocation = 4;
constexpr unsigned modelAttributeCount = 5;
// The page's instanced block shaders take each block's model matrix as an
// attribute stepping once per instance, here and in the three locations after.
constexpr unsigned modelMatrixLocation = 5;

// A model program's uniforms.
constexpr const char* mvpUniform = "MVP";
constexpr const char* viewUniform = "V";
constexpr const char* modelUniform = "M";
constexpr const char* modelView3x3Uniform = "MV3x3";
// The instanced block shaders' projection times view, uploaded once a draw.
constexpr const char* viewProjectionUniform = "VP";
constexpr const char* lightPositionUniform = "LightPosition_worldspace";
constexpr const char* diffuseSampler = "myDiff";
constexpr const char* normalSampler = "myNorm";
constexpr const char* specularSampler = "mySpec";

// The text overlay's glyph atlas.
constexpr const char* textSampler = "myTextureSampler";

// Texture units: the overlay keeps unit 0, so a model's maps never disturb it.
constexpr int textAtlasUnit = 0;
constexpr int diffuseUnit = 1;
constexpr int normalUnit = 2;
constexpr int specularUnit = 3;

}  // namespace glcontract
