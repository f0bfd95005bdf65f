#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sound/SoundCues.h"
#include "support/GridPicture.h"

namespace {

constexpr double frameSeconds = 1.0 / 60.0;
constexpr float walkUnitsPerSecond = 3.0f;

// Four rooms in a row along x, each with its cube; the eye at the west end.
const Picture fourRooms = {"wwwwwwwww", "wo0o0o0ow", "wwwwwwwww"};

FrameHeard walking(float unitsPerSecond, bool running = false, bool crouching = false) {
    FrameHeard frame;
    frame.walkedUnits = unitsPerSecond * static_cast<float>(frameSeconds);
    frame.stepAskedUnits = frame.walkedUnits;
    frame.running = running;
    frame.crouching = crouching;
    return frame;
}

// The orders of `frames` frames alike, heard one after the other.
std::vector<SoundOrders> hearFrames(SoundCues& cues, const FrameHeard& frame, int frames,
                                    const MazeGrid& grid) {
    std::vector<SoundOrders> orders;
    for (int i = 0; i < frames; ++i) {
        orders.push_back(cues.hear(frame, grid));
    }
    return orders;
}

int countOf(const std::vector<SoundOrders>& orders, bool SoundOrders::*sound) {
    return static_cast<int>(std::count_if(orders.begin(), orders.end(),
                                          [sound](const SoundOrders& o) { return o.*sound; }));
}

}  // namespace

// Ten seconds of each gait: a human cadence, running quicker and louder than
// walking, crouching quieter; the feet take turns.
TEST(SoundCues, FootfallsKeepTheCadenceOfTheGait) {
    const GridPicture rooms(fourRooms);
    struct Gait {
        const char* name;
        FrameHeard frame;
        double fewestPerSecond, mostPerSecond;
    };
    const Gait gaits[] = {{"walking", walking(walkUnitsPerSecond), 1.6, 2.2},
                          {"running", walking(2 * walkUnitsPerSecond, true), 2.4, 3.2},
                          {"crouching", walking(walkUnitsPerSecond, false, true), 2.0, 2.8}};
    std::vector<float> gains;
    for (const Gait& gait : gaits) {
        SoundCues cues;
        std::vector<float> pitches;
        for (const SoundOrders& orders : hearFrames(cues, gait.frame, 600, rooms.grid())) {
            if (orders.footfall) {
                pitches.push_back(orders.footfall->pitch);
            }
            if (orders.footfall && pitches.size() == 1) {
                gains.push_back(orders.footfall->gain);
            }
        }
        EXPECT_GE(pitches.size() / 10.0, gait.fewestPerSecond) << gait.name;
        EXPECT_LE(pitches.size() / 10.0, gait.mostPerSecond) << gait.name;
        EXPECT_NE(pitches[0], pitches[1]) << gait.name;
        EXPECT_EQ(pitches[0], pitches[2]) << gait.name;
    }
    // Running loudest, crouching softest.
    EXPECT_GT(gains[1], gains[0]);
    EXPECT_GT(gains[0], gains[2]);
}

// Standing, or a key held against a wall: no footfall; the wall bumps once as
// it stops the player, and again only after the player let go. Sliding along
// a wall is no bump.
TEST(SoundCues, AWallBumpsOnceAndNoStepsAreHeardWithoutWalking) {
    const GridPicture rooms(fourRooms);
    SoundCues cues;
    FrameHeard pushing = walking(walkUnitsPerSecond);
    pushing.walkedUnits = 0.0f;
    FrameHeard sliding = walking(walkUnitsPerSecond);
    sliding.walkedUnits *= 0.7f;
    const std::vector<SoundOrders> slid = hearFrames(cues, sliding, 60, rooms.grid());
    EXPECT_EQ(countOf(slid, &SoundOrders::bump), 0);
    std::vector<SoundOrders> heard = hearFrames(cues, FrameHeard{}, 60, rooms.grid());
    for (int push = 0; push < 2; ++push) {
        const std::vector<SoundOrders> pushed = hearFrames(cues, pushing, 60, rooms.grid());
        EXPECT_TRUE(pushed.front().bump);
        heard.insert(heard.end(), pushed.begin(), pushed.end());
        heard.push_back(cues.hear(FrameHeard{}, rooms.grid()));
    }
    EXPECT_EQ(countOf(heard, &SoundOrders::bump), 2);
    EXPECT_TRUE(std::none_of(heard.begin(), heard.end(),
                             [](const SoundOrders& o) { return o.footfall || o.chime; }));
}

TEST(SoundCues, EachCubeEatenChimesOnceInItsFrame) {
    const GridPicture rooms(fourRooms);
    SoundCues cues;
    FrameHeard eating = walking(walkUnitsPerSecond);
    eating.cubeEaten = true;
    std::vector<SoundOrders> heard = hearFrames(cues, walking(walkUnitsPerSecond), 5, rooms.grid());
    heard.push_back(cues.hear(eating, rooms.grid()));
    EXPECT_TRUE(heard.back().chime);
    EXPECT_EQ(countOf(heard, &SoundOrders::chime), 1);
}

// The three nearest cubes hum, louder the nearer; the farthest one is left
// out until one of them is eaten, and the others keep their voices then.
TEST(SoundCues, TheHumFollowsTheNearestUneatenCubes) {
    const GridPicture rooms(fourRooms);
    SoundCues cues;
    FrameHeard atWestEnd;
    atWestEnd.eye = {2.0f, 1.7f, 2.0f};
    const auto cubeOf = [](const HumVoice& voice) { return voice.cube.value_or(CellPosition{}); };
    const SoundOrders first = cues.hear(atWestEnd, rooms.grid());
    EXPECT_EQ(cubeOf(first.hums[0]), CellPosition(1, 1));
    EXPECT_EQ(cubeOf(first.hums[1]), CellPosition(1, 3));
    EXPECT_EQ(cubeOf(first.hums[2]), CellPosition(1, 5));
    EXPECT_GT(first.hums[0].gain, first.hums[1].gain);
    EXPECT_GT(first.hums[1].gain, first.hums[2].gain);
    EXPECT_EQ(first.hums[1].position, glm::vec3(6.0f, 1.0f, 2.0f));

    rooms.grid().setCell(1, 3, CellCode::openFloor);
    const SoundOrders after = cues.hear(atWestEnd, rooms.grid());
    EXPECT_EQ(cubeOf(after.hums[0]), CellPosition(1, 1));
    EXPECT_EQ(cubeOf(after.hums[1]), CellPosition(1, 7));
    EXPECT_EQ(cubeOf(after.hums[2]), CellPosition(1, 5));
    EXPECT_EQ(after.hums[2].gain, first.hums[2].gain);

    // Beyond the hum's reach nothing is heard.
    atWestEnd.eye.z = 2.0f + sound::humFadeUnits + 1.0f;
    const SoundOrders far = cues.hear(atWestEnd, rooms.grid());
    EXPECT_TRUE(std::none_of(far.hums.begin(), far.hums.end(),
                             [](const HumVoice& v) { return v.cube || v.gain > 0.0f; }));
}
