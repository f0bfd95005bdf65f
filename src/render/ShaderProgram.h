#pragma once

#include <cstdint>

#include <glm/mat4x4.hpp>

class Player;

// One linked program with the uniform locations and up to three textures that
// a model needs to draw with it. Owns the program and its textures; release()
// deletes them while the context exists, the destructor makes no GL call.
// A program that is missing or did not link says so once, here, and whatever
// is drawn with it is left out.
class ShaderProgram {
  public:
    ShaderProgram(const char* vertexShaderPath, const char* fragmentShaderPath);

    void setDiffuseTexture(const char* path);
    void setNormalTexture(const char* path);
    void setSpecularTexture(const char* path);

    void use() const;
    void setLightPosition(float x, float y, float z) const;
    void bindTextures() const;
    void setMatrices(const Player& player, const glm::mat4& modelMatrix) const;
    void release();

    std::uint32_t getProgramId() const { return programId; }
    bool isLinked() const { return linked; }
    std::uint32_t getDiffuseTexture() const { return diffuseTexture; }
    std::uint32_t getNormalTexture() const { return normalTexture; }
    std::uint32_t getSpecularTexture() const { return specularTexture; }

  private:
    std::int32_t uniformLocation(const char* name) const;

    std::uint32_t programId;
    bool linked;
    std::int32_t mvpLocation;
    std::int32_t viewLocation;
    std::int32_t modelLocation;
    std::int32_t modelView3x3Location;
    std::int32_t lightPositionLocation;
    std::uint32_t diffuseTexture = 0;
    std::uint32_t normalTexture = 0;
    std::uint32_t specularTexture = 0;
    std::int32_t diffuseSamplerLocation;
    std::int32_t normalSamplerLocation;
    std::int32_t specularSamplerLocation;
};
