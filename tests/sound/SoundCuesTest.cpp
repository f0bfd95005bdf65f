#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "sound/SoundCues.h"
#include "support/GridPicture.h"

namespace {

constexpr double frameSeconds = 1.0 / 60.0;
constexpr float walkUnitsPerSecond = 3.0f;

// Four rooms in a row along x, each with its cube; the eye at the west end.
const Picture fourRooms = {"wwwwwwwww", "wo0o0o0ow", "wwwwwwwww"};

FrameHeard walking(float unitsPerSecond, bool running = false, bool crouching = false) {
    const float units = unitsPerSecond * static_cast<float>(frameSeconds);
    return FrameHeard{false, units, units, running, crouching};
}

// The orders of `frames` frames alike, heard one after the other.
std::vector<SoundOrders> hearFrames(SoundCues& cues, const FrameHeard& frame, int frames,
                                    const MazeGrid& grid) {
    std::vector<SoundOrders> orders(frames);
    std::generate(orders.begin(), orders.end(), [&] { return cues.hear(frame, grid); });
    return orders;
}

}  // namespace

// Ten seconds of each gait: a human cadence, running quicker and louder than
// walking, crouching quieter; the feet take turns.
TEST(SoundCues, FootfallsKeepTheCadenceOfTheGait) {
    const struct {
        const char* name;
        FrameHeard frame;
        double fewestPerSecond, mostPerSecond;
    } gaits[] = {{"walking", walking(walkUnitsPerSecond), 1.6, 2.2},
                 {"running", walking(2 * walkUnitsPerSecond, true), 2.4, 3.2},
                 {"crouching", walking(walkUnitsPerSecond, false, true), 2.0, 2.8}};
    std::vector<float> gains(1);
    for (const auto& gait : gaits) {
        SoundCues cues;
        std::vector<float> pitches;
        for (const SoundOrders& orders : hearFrames(cues, gait.frame, 600, MazeGrid{})) {
            if (orders.footfall) {
                pitches.push_back(orders.footfall->pitch);
                gains.back() = orders.footfall->gain;
            }
        }
        gains.push_back(0.0f);
        EXPECT_GE(pitches.size() / 10.0, gait.fewestPerSecond) << gait.name;
        EXPECT_LE(pitches.size() / 10.0, gait.mostPerSecond) << gait.name;
        EXPECT_NE(pitches[0], pitches[1]) << gait.name;
        EXPECT_EQ(pitches[0], pitches[2]) << gait.name;
    }
    // Running loudest, crouching softest.
    EXPECT_GT(gains[1], gains[0]);
    EXPECT_GT(gains[0], gains[2]);
}

// Frame by frame: "B" a bump, "F" a footfall, "." neither. Sliding along a
// wall is no bump; a wall bumps once as it stops the player, and again only
// after the player let go; pushing or standing, no footfall.
TEST(SoundCues, AWallBumpsOnceAndNoStepsAreHeardWithoutWalking) {
    SoundCues cues;
    FrameHeard pushing = walking(walkUnitsPerSecond), sliding = pushing;
    pushing.walkedUnits = 0.0f;
    sliding.walkedUnits *= 0.7f;
    std::string heard;
    for (const auto& [frame, count] :
         {std::pair(sliding, 1), {pushing, 60}, {FrameHeard{}, 60}, {pushing, 60}}) {
        for (const SoundOrders& o : hearFrames(cues, frame, count, MazeGrid{})) {
            heard += o.bump ? 'B' : o.footfall ? 'F' : '.';
        }
    }
    EXPECT_EQ(heard, ".B" + std::string(119, '.') + "B" + std::string(59, '.'));
}

// The three nearest cubes hum, louder the nearer; the farthest one is left
// out until one of them is eaten, and the others keep their voices then.
// Beyond the hum's reach nothing is heard.
TEST(SoundCues, TheHumFollowsTheNearestUneatenCubes) {
    const GridPicture rooms(fourRooms);
    SoundCues cues;
    FrameHeard atWestEnd;
    atWestEnd.eye = {2.0f, 1.7f, 2.0f};
    const auto voicesOf = [&cues, &rooms](const FrameHeard& frame) {
        std::vector<std::pair<CellPosition, float>> voices;
        for (const HumVoice& voice : cues.hear(frame, rooms.grid()).hums) {
            voices.emplace_back(voice.cube.value_or(CellPosition{-1, -1}), voice.gain);
        }
        return voices;
    };
    const auto first = voicesOf(atWestEnd);
    EXPECT_GT(first[0].second, first[1].second);
    EXPECT_GT(first[1].second, first[2].second);
    rooms.grid().setCell(1, 3, CellCode::openFloor);
    const auto after = voicesOf(atWestEnd);
    const std::vector<CellPosition> cubes = {first[0].first, first[1].first, first[2].first,
                                             after[0].first, after[1].first, after[2].first};
    EXPECT_EQ(cubes, std::vector<CellPosition>({{1, 1}, {1, 3}, {1, 5}, {1, 1}, {1, 7}, {1, 5}}));
    atWestEnd.eye.z += sound::humFadeUnits + 1.0f;
    EXPECT_EQ(voicesOf(atWestEnd), std::vector(3, std::pair(CellPosition{-1, -1}, 0.0f)));
}
