#pragma once

#include <array>
#include <optional>

#include <glm/vec3.hpp>

#include "maze/MazeGrid.h"
#include "sound/SoundConstants.h"

// What one frame of the game did, as far as it is heard: filled by the frame
// step from its input record and the player before and after it.
struct FrameHeard {
    bool cubeEaten = false;
    // Horizontal distance the keys asked to step, and what the player moved
    // after the walls had their say: a wall refuses a step into it, and
    // pushes back one that reaches its margin.
    float stepAskedUnits = 0.0f;
    float walkedUnits = 0.0f;
    bool running = false;
    bool crouching = false;
    // The listener: the eye, where it looks and which way is up.
    glm::vec3 eye{0.0f};
    glm::vec3 facing{0.0f, 0.0f, 1.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
};

struct Footfall {
    float gain = 0.0f;
    float pitch = 1.0f;
};

// One uneaten cube's hum: where it lies (its cell, and in the world) and how
// loud it is at the listener. A voice with no cube is silent.
struct HumVoice {
    std::optional<CellPosition> cube;
    glm::vec3 position{0.0f};
    float gain = 0.0f;
};

// What the sound must do after a frame: the clips to start and where the
// listener and the hums are now.
struct SoundOrders {
    bool chime = false;
    std::optional<Footfall> footfall;
    bool bump = false;
    glm::vec3 listenerPosition{0.0f};
    glm::vec3 listenerFacing{0.0f, 0.0f, 1.0f};
    glm::vec3 listenerUp{0.0f, 1.0f, 0.0f};
    std::array<HumVoice, sound::humVoiceCount> hums;
};

// How loud a cube's hum is at this distance: full at the cube, falling
// smoothly to nothing at humFadeUnits.
float humGainAt(float distanceUnits);

// Decides, frame by frame, what the game sounds like. It keeps what spans
// frames: the distance walked since the last footfall, which foot falls
// next, whether the last frame already bumped into the wall, and which cube
// each hum voice follows (a cube keeps its voice while it stays among the
// nearest, so that its hum never jumps from one side to the other).
class SoundCues {
  public:
    SoundOrders hear(const FrameHeard& frame, const MazeGrid& grid);

  private:
    std::optional<Footfall> footfallAfter(const FrameHeard& frame);
    void followNearestCubes(const MazeGrid& grid, const glm::vec3& eye);

    float walkedSinceFootfall = 0.0f;
    bool walking = false;
    bool leftFootNext = true;
    bool stoppedBefore = false;
    std::array<HumVoice, sound::humVoiceCount> hums;
};
