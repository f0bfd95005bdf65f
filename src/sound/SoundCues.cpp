#include "sound/SoundCues.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <glm/geometric.hpp>

#include "maze/MazeBlocks.h"

namespace {

struct GaitSound {
    float strideUnits;
    float gain;
};

GaitSound gaitOf(const FrameHeard& frame) {
    if (frame.running) {
        return {sound::runningStrideUnits, sound::runningStepGain};
    }
    if (frame.crouching) {
        return {sound::crouchingStrideUnits, sound::crouchingStepGain};
    }
    return {sound::walkingStrideUnits, sound::walkingStepGain};
}

struct HeardCube {
    CellPosition cell;
    glm::vec3 position;
    float distanceUnits;
};

// The uneaten cubes within the hum's reach, nearest first, at most one per
// voice. Ties go to the cell met first in the grid, so the choice repeats.
std::vector<HeardCube> nearestCubes(const MazeGrid& grid, const glm::vec3& eye) {
    std::vector<HeardCube> cubes;
    // Each cube sounds from where it is drawn: its block's centre.
    MazeBlocks::forEachFoodBlock(grid, [&](int row, int col, const glm::mat4& block) {
        const glm::vec3 position(block[3]);
        const float distance = glm::distance(eye, position);
        if (distance < sound::humFadeUnits) {
            cubes.push_back({{row, col}, position, distance});
        }
    });
    const std::size_t kept = std::min<std::size_t>(cubes.size(), sound::humVoiceCount);
    std::partial_sort(
        cubes.begin(), cubes.begin() + static_cast<std::ptrdiff_t>(kept), cubes.end(),
        [](const HeardCube& a, const HeardCube& b) { return a.distanceUnits < b.distanceUnits; });
    cubes.resize(kept);
    return cubes;
}

bool stoppedByAWall(const FrameHeard& frame) {
    return frame.stepAskedUnits > 0.0f &&
           frame.walkedUnits < sound::stoppedBelowShareOfStep * frame.stepAskedUnits;
}

}  // namespace

float humGainAt(float distanceUnits) {
    const float nearness = 1.0f - std::clamp(distanceUnits / sound::humFadeUnits, 0.0f, 1.0f);
    return sound::humPeakGain * nearness * nearness;
}

SoundOrders SoundCues::hear(const FrameHeard& frame, const MazeGrid& grid) {
    SoundOrders orders;
    orders.chime = frame.cubeEaten;
    orders.footfall = footfallAfter(frame);
    // One bump as the wall stops the player, not one a frame while the key
    // stays held against it.
    const bool stopped = stoppedByAWall(frame);
    orders.bump = stopped && !stoppedBefore;
    stoppedBefore = stopped;
    orders.listenerPosition = frame.eye;
    orders.listenerFacing = frame.facing;
    orders.listenerUp = frame.up;
    followNearestCubes(grid, frame.eye);
    orders.hums = hums;
    return orders;
}

std::optional<Footfall> SoundCues::footfallAfter(const FrameHeard& frame) {
    const GaitSound gait = gaitOf(frame);
    if (frame.walkedUnits <= 0.0f) {
        walking = false;
        return std::nullopt;
    }
    if (!walking) {
        walking = true;
        walkedSinceFootfall = (1.0f - sound::firstStepShareOfStride) * gait.strideUnits;
    }
    walkedSinceFootfall += frame.walkedUnits;
    if (walkedSinceFootfall < gait.strideUnits) {
        return std::nullopt;
    }
    // A long frame covers more than a stride, but it is still one footfall.
    walkedSinceFootfall = std::fmod(walkedSinceFootfall, gait.strideUnits);
    const float pitch = leftFootNext ? sound::leftFootPitch : sound::rightFootPitch;
    leftFootNext = !leftFootNext;
    return Footfall{gait.gain, pitch};
}

void SoundCues::followNearestCubes(const MazeGrid& grid, const glm::vec3& eye) {
    const std::vector<HeardCube> nearest = nearestCubes(grid, eye);
    const auto heardCube = [&nearest](const std::optional<CellPosition>& cube) {
        return std::find_if(nearest.begin(), nearest.end(),
                            [&cube](const HeardCube& c) { return cube && c.cell == *cube; });
    };
    // A voice whose cube was eaten or fell behind the others falls silent.
    for (HumVoice& voice : hums) {
        const auto kept = heardCube(voice.cube);
        voice = kept == nearest.end()
                    ? HumVoice{}
                    : HumVoice{kept->cell, kept->position, humGainAt(kept->distanceUnits)};
    }
    // A cube newly among the nearest takes a silent voice.
    for (const HeardCube& cube : nearest) {
        const bool followed = std::any_of(
            hums.begin(), hums.end(), [&cube](const HumVoice& v) { return v.cube == cube.cell; });
        if (followed) {
            continue;
        }
        const auto free =
            std::find_if(hums.begin(), hums.end(), [](const HumVoice& v) { return !v.cube; });
        *free = HumVoice{cube.cell, cube.position, humGainAt(cube.distanceUnits)};
    }
}
