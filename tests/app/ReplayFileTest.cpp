#include <gtest/gtest.h>

#include <cstdint>

#include "app/FrameStep.h"
#include "app/GameConstants.h"
#include "app/ReplayFile.h"
#include "maze/Maze.h"
#include "player/Player.h"

TEST(ReplayFile, ARecordedAutoplayRunReplaysToTheSamePositionsEveryFrame) {
    const std::uint32_t seed = 4242;
    Maze recordedMaze(10, 10, seededPick(seed));
    std::string file = replayHeader(seed);
    std::vector<glm::vec3> recorded;
    // An odd rate, so the recorded times are not short decimals.
    simulateAutoplay(recordedMaze, {1.0 / 59.7}, true, 1000.0,
                     [&](const ControlInput& input, const Player& player) {
                         file += replayLine(input);
                         recorded.push_back(player.getPosition());
                     });

    const ReplayParse parse = parseReplay(file);
    ASSERT_EQ(parse.error, "");
    ASSERT_EQ(parse.replay.frames.size(), recorded.size());
    Maze maze(10, 10, seededPick(parse.replay.seed));
    Player player;
    player.setPosition(game::startPosition);
    ControlClock clock;
    int points = 0;
    for (size_t frame = 0; frame < recorded.size(); ++frame) {
        playFrame(clock, parse.replay.frames[frame], player, maze, points);
        ASSERT_EQ(player.getPosition(), recorded[frame]) << "frame " << frame;
    }
    EXPECT_EQ(points, 101);
}

TEST(ReplayFile, EachDamagedFileIsRefusedWithOneLineSayingWhatIsWrong) {
    const std::string head = "quorralith-replay 1\nseed 7\n";
    const std::string frame = "0x1p+0 0x1p+9 0x1.8p+8 1024 768 W...R.F\n";
    const struct {
        std::string text;
        std::string error;
    } damaged[] = {
        {"", "empty, not a Quorralith replay"},
        {"P6\n3 3\n", "line 1: not a Quorralith replay (no \"quorralith-replay N\" header)"},
        {"quorralith-replay 2\nseed 7\n",
         "line 1: replay version 2, but this game reads version 1"},
        {"quorralith-replay 1\n", "line 2: cut short (no seed line)"},
        {"quorralith-replay 1\nseed -1\n",
         "line 2: expected \"seed N\" with N from 0 to 4294967295"},
        {head + frame + "0x1p+1 0x1p+9", "line 4: cut short (the last line has no line feed)"},
        {head + "0x1p+0 0x1p+9 1024 768 W...R.F\n",
         "line 3: expected 6 fields (time, cursor x, cursor y, width, height, keys), found 5"},
        {head + "nan 0x1p+9 0x1.8p+8 1024 768 W...R.F\n",
         "line 3: the time \"nan\" is not a number"},
        {head + "0x1p+0 0x1p+9 0x1.8p+8 1024 7x8 W...R.F\n",
         "line 3: the window size \"1024 7x8\" is not two whole numbers"},
        {head + "0x1p+0 0x1p+9 0x1.8p+8 1024 768 WXYZ...\n",
         "line 3: the keys \"WXYZ...\" are not seven of W S D A R C F, each letter or \".\""},
        {head + frame + "0x1p-1 0x1p+9 0x1.8p+8 1024 768 ......F\n",
         "line 4: the time runs backwards"},
    };
    for (const auto& file : damaged) {
        const ReplayParse parse = parseReplay(file.text);
        EXPECT_EQ(parse.error, file.error) << file.text;
        EXPECT_TRUE(parse.replay.frames.empty());
    }
}
