#pragma once

// Every tuning value of the game's sound in one place, with its unit. The
// generator in tools/ writes the clips; their names are here once.
namespace sound {

constexpr const char* pickupChimeFile = "pickup.wav";
constexpr const char* footstepFile = "footstep.wav";
constexpr const char* bumpFile = "bump.wav";
constexpr const char* humFile = "hum.wav";

// Footfalls come once per stride of horizontal distance walked: the gaits
// share one speed when walking and crouching (3 units a second) and double it
// when running, so the stride sets the cadence. Walking falls about 1.9
// times a second, running 2.7, crouching 2.4 shorter, quieter steps.
constexpr float walkingStrideUnits = 1.6f;
constexpr float runningStrideUnits = 2.2f;
constexpr float crouchingStrideUnits = 1.25f;
constexpr float walkingStepGain = 0.7f;
constexpr float runningStepGain = 1.0f;
constexpr float crouchingStepGain = 0.4f;
// Setting off, the first footfall comes after this share of a stride, so
// that a tap of a key is heard and a long walk does not start late.
constexpr float firstStepShareOfStride = 0.5f;
// The two feet: every other footfall a little lower, so that a walk is not a
// clock ticking.
constexpr float leftFootPitch = 1.0f;
constexpr float rightFootPitch = 0.9f;

// A step along a wall slides, and goes on; one into it walks less than this
// share of what the keys asked (nothing, once the player stands at the
// wall's margin): the wall has stopped the player, who hears a bump.
constexpr float stoppedBelowShareOfStep = 0.5f;

constexpr float chimeGain = 0.8f;
constexpr float bumpGain = 0.9f;

// The hum: the nearest few uneaten cubes, each heard from where it lies. A
// room is 4 units across, so the hum reaches six rooms: near the end of a
// run the last cubes are heard from well away. Walls do not stop it: the
// hum says where a cube lies, and the maze is left for the player to solve.
constexpr int humVoiceCount = 3;
constexpr float humFadeUnits = 24.0f;
constexpr float humPeakGain = 0.25f;
// Each voice its own note, so that two cubes at once are heard as two.
constexpr float humVoicePitches[humVoiceCount] = {1.0f, 1.125f, 0.89f};

}  // namespace sound
