#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <glm/geometric.hpp>

#include "app/FrameStep.h"
#include "app/GameConstants.h"
#include "app/ReplayFile.h"
#include "app/RunSetup.h"
#include "app/StopSignals.h"
#include "assets/Platform.h"
#include "maze/Maze.h"
#include "player/Player.h"
#include "support/ConsoleCapture.h"
#include "support/GridPicture.h"

namespace {

// The player after each frame of the run.
std::vector<Player> playersOfEveryFrame(Maze& maze, RunSetup setup, double frameSeconds,
                                        double maxGameSeconds) {
    std::vector<Player> players;
    simulateRun(maze, std::move(setup), {frameSeconds}, maxGameSeconds,
                [&](const FrameOutcome&, const Player& player) { players.push_back(player); });
    return players;
}

}  // namespace

// Recorded through the game's own options over an old file, and replayed
// through them: the replay builds its maze from the file's seed and walks
// the very same positions in every frame.
TEST(ReplayFile, ARecordedAutoplayRunReplaysToTheSamePositionsEveryFrame) {
    const std::string path = testing::TempDir() + "recorded.replay";
    std::ofstream(path) << "an older recording, which the new one replaces\n";
    GameOptions recording;
    recording.autoplay = true;
    recording.seed = 4242;
    recording.recordFile = path;
    RunSetup setup;
    ASSERT_EQ(prepareRun(recording, setup), "");
    Maze recordedMaze(10, 10, seededPick(*setup.seed));
    // An odd rate, so the recorded times are not short decimals.
    const double frameSeconds = 1.0 / 59.7;
    const std::vector<Player> recorded =
        playersOfEveryFrame(recordedMaze, std::move(setup), frameSeconds, 1000.0);

    GameOptions replaying;
    replaying.replayFile = path;
    RunSetup replay;
    ASSERT_EQ(prepareRun(replaying, replay), "");
    Maze maze(10, 10, seededPick(*replay.seed));
    const std::vector<Player> replayed = playersOfEveryFrame(
        maze, std::move(replay), frameSeconds, frameSeconds * static_cast<double>(recorded.size()));
    ASSERT_GE(replayed.size(), recorded.size());
    for (size_t frame = 0; frame < recorded.size(); ++frame) {
        ASSERT_EQ(replayed[frame].getPosition(), recorded[frame].getPosition())
            << "frame " << frame;
    }
    EXPECT_EQ(countCells(maze.getGrid(), CellCode::food), 0);
}

// After a pause the first frame has no length, the frame-time report does not
// pay the pause back, and the recording replays where the run walked.
TEST(ReplayFile, APauseOfAnyLengthIsNotWalkedNorReportedAndReplaysAsItWent) {
    for (const double pauseSeconds : {0.05, 0.5, 100.0}) {
        SCOPED_TRACE(pauseSeconds);
        GameOptions options;
        options.recordFile = testing::TempDir() + "paused.replay";
        RunSetup setup;
        ASSERT_EQ(prepareRun(options, setup), "");
        Maze maze(10, 10, seededPick(*setup.seed));
        Player player;
        player.setPosition(game::startPosition);
        FrameStep step(player, maze, std::move(setup), 0.0);
        WindowInput walking = stillWindowAt(0.0);
        walking.controls.forward = true;
        std::vector<glm::vec3> walked;
        for (const double seconds : {0.0, 0.02, 0.02 + pauseSeconds, 0.04 + pauseSeconds}) {
            if (walked.size() == 2) {
                step.resumeAfterPause(seconds - 0.001);  // the window is read a little later
            }
            walking.controls.now = seconds;
            EXPECT_FALSE(step.advance(walking).reportedMillisecondsPerFrame.has_value());
            walked.push_back(player.getPosition());
        }
        EXPECT_EQ(walked[2], walked[1]);
        EXPECT_NEAR(walked[3].z - walked[2].z, 0.06f, 1e-3f);
        std::swap(options.recordFile, options.replayFile);
        RunSetup replay;
        ASSERT_EQ(prepareRun(options, replay), "");
        const std::vector<Player> replayed = playersOfEveryFrame(maze, std::move(replay), 1.0, 3.0);
        for (size_t frame = 0; frame < walked.size(); ++frame) {
            EXPECT_EQ(replayed[frame].getPosition(), walked[frame]);
        }
    }
}

// A file as version 1 of the format wrote it, kept as it is: a seed above
// 2^31, every key alone at least once, a turn, a frame without the focus and
// one coming back to it. It must walk where its keys say, so that no change
// to the format can leave old recordings behind.
TEST(ReplayFile, AVersionOneFileWalksWhereItsKeysSay) {
    GameOptions options;
    options.replayFile = VERSION_1_REPLAY;
    RunSetup setup;
    ASSERT_EQ(prepareRun(options, setup), "");
    EXPECT_EQ(setup.seed, 3000000000u);
    Maze maze(10, 10, seededPick(*setup.seed));
    // Frames of an eighth of a second, 3 units a second: a step is 0.375.
    const std::vector<Player> at = playersOfEveryFrame(maze, std::move(setup), 0.125, 1.5);
    ASSERT_EQ(at.size(), 13u);
    const Player& last = at.back();
    const float turned = 100 * last.getMouseSpeed();
    const struct {
        size_t frame;
        glm::vec3 position;
    } expected[] = {
        {4, {2.0f, 1.7f, 1.5f}},      // W from the entrance, the first frame standing
        {5, {2.0f, 1.7f, 2.25f}},     // W running
        {6, {2.0f, 1.0f, 2.625f}},    // W crouching
        {7, {1.625f, 1.7f, 2.625f}},  // D, to the right of a player looking along +z
        {8, {2.0f, 1.7f, 2.625f}},    // A
        {9, {2.0f, 1.7f, 2.25f}},     // S
        // Turned 100 pixels left while focused, then neither without the focus
        // nor on the first frame back with it; W walks the turned way.
        {12, {2.0f + 0.375f * std::sin(turned), 1.7f, 2.25f + 0.375f * std::cos(turned)}},
    };
    // Sideways steps stray a hair along z: the right vector is a quarter turn
    // of 3.14 / 2 from the view, not of pi / 2.
    for (const auto& row : expected) {
        EXPECT_NEAR(glm::distance(at[row.frame].getPosition(), row.position), 0.0f, 1e-3f)
            << "frame " << row.frame;
    }
    EXPECT_FLOAT_EQ(last.getHorizontalAngle(), turned);
}

// A damaged file is refused with one line saying what is wrong. What editors
// and cut-off runs leave is no damage: a byte-order mark, carriage returns,
// blank lines at the end, and a last line cut short, whose whole frames
// before it play, with a warning.
TEST(ReplayFile, EachDamagedFileIsRefusedWithOneLineSayingWhatIsWrong) {
    const std::string head = "quorralith-replay 1\nseed 7\n";
    const std::string frame = "0x1p+0 0x1p+9 0x1.8p+8 1024 768 W...R.F\n";
    const std::string crlfFrame = "0x1p+0 0x1p+9 0x1.8p+8 1024 768 W...R.F\r\n";
    const struct {
        std::string text;
        std::string error;
        std::string warning = "";
        size_t frames = 0;
    } files[] = {
        {"", "empty, not a Quorralith replay"},
        {"P6\n3 3\n", "line 1: not a Quorralith replay (no \"quorralith-replay N\" header)"},
        {"quorralith-replay 2\nseed 7\n",
         "line 1: replay version 2, but this game reads version 1"},
        {"quorralith-replay 1\n", "line 2: cut short (no seed line)"},
        {"quorralith-replay 1\nseed -1\n",
         "line 2: expected \"seed N\" with N from 0 to 4294967295"},
        {"quorralith-replay 1\nseed 7", "line 2: cut short (the last line has no line feed)"},
        {head + "0x1p+0 0x1p+9 1024 768 W...R.F\n",
         "line 3: expected 6 fields (time, cursor x, cursor y, width, height, keys), found 5"},
        {head + "0x1p+0 0x1p+9 0x1.8p+8 1024 768 W...R.F " + std::string(4000, ' ') + "\n",
         "line 3: expected 6 fields (time, cursor x, cursor y, width, height, keys), found more"},
        {head + std::string(4097, '0') + "\n",
         "line 3: longer than 4096 bytes, more than any frame takes"},
        {head + "nan 0x1p+9 0x1.8p+8 1024 768 W...R.F\n",
         "line 3: the time \"nan\" is not a number of seconds from 0 to 1e9"},
        {head + "1e300 0x1p+9 0x1.8p+8 1024 768 W...R.F\n",
         "line 3: the time \"1e300\" is not a number of seconds from 0 to 1e9"},
        {head + "0x1p+0 1e300 0x1.8p+8 1024 768 W...R.F\n",
         "line 3: the cursor x \"1e300\" is not a number of pixels from -1e6 to 1e6"},
        {head + std::string("0x1p+0 0x1p+9 0x1\0p+8 1024 768 W...R.F\n", 39),
         "line 3: the cursor y \"0x1?p+8\" is not a number of pixels from -1e6 to 1e6"},
        {head + "0x1p+0 0x1p+9 0x1.8p+8 1024 7x8 W...R.F\n",
         "line 3: the window size \"1024 7x8\" is not two whole numbers from 0 to 65536"},
        {head + "0x1p+0 0x1p+9 0x1.8p+8 1024 768 WXYZ...\n",
         "line 3: the keys \"WXYZ...\" are not seven of W S D A R C F, each letter or \".\""},
        {head + frame + "0x1p-1 0x1p+9 0x1.8p+8 1024 768 ......F\n",
         "line 4: the time runs backwards"},
        {head + frame + "86402 0x1p+9 0x1.8p+8 1024 768 ......F\n",
         "line 4: a frame of more than a day"},
        {head + "\n" + frame,
         "line 3: expected 6 fields (time, cursor x, cursor y, width, "
         "height, keys), found 1"},
        {"\xEF\xBB\xBFquorralith-replay 1\r\nseed 7\r\n" + crlfFrame + crlfFrame + "\r\n", "", "",
         2},
        {head + frame + frame + "\n\n", "", "", 2},
        {head + frame + frame + "0x1p+1 0x1p+9", "",
         "line 5: cut short (the last line has no line feed); 2 whole frames are replayed", 2},
    };
    for (const auto& file : files) {
        const ReplayParse parse = parseReplay(file.text);
        EXPECT_EQ(parse.error, file.error) << file.text.substr(0, 80);
        EXPECT_EQ(parse.warning, file.warning);
        EXPECT_EQ(parse.replay.frames.size(), file.frames);
    }
}

// Only a regular file is read: a FIFO with no writer or an endless device
// could block the game or never end.
TEST(ReplayFile, OnlyARegularFileIsRead) {
    const std::string fifo = testing::TempDir() + "replay.fifo";
    unlink(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero"), testing::TempDir()}) {
        EXPECT_EQ(openReplayFile(path).error(), "replay " + path + ": not a regular file");
    }
}

// Refused before the window opens, or said as a failed write: the game's own
// console, a file another program locks, one that keeps nothing, a pipe with
// no reader (not death by SIGPIPE), a frame no replay reads (past 1e9 s).
TEST(Recording, ATargetThatCannotHoldTheRunIsRefusedOrSaidAsAFailedWrite) {
    std::signal(SIGPIPE, SIG_DFL);
    catchStopSignals();
    const std::string locked = testing::TempDir() + "locked.replay";
    std::ofstream{locked};
    ASSERT_EQ(flock(open(locked.c_str(), O_RDONLY), LOCK_EX), 0);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    close(pipeEnds[0]);
    const std::string noReader = "/proc/self/fd/" + std::to_string(pipeEnds[1]);
    const std::string late = testing::TempDir() + "late.replay";
    const std::string console =
        "is the game's own standard output or error: record to another file";
    const std::pair<std::string, std::string> targets[] = {
        {"/proc/self/fd/1", console},
        {"/dev/stderr", console},
        {locked, "is locked by another program"},
        {"/proc/self/comm", "cannot be written (it does not keep what is written to it)"},
        {noReader, "cannot be written (Broken pipe)"},
        {late,
         "line 3 would not replay (the time \"0x1p+30\" is not a number of seconds "
         "from 0 to 1e9)"},
    };
    for (const auto& [target, why] : targets) {
        Recording recording;
        ControlInput frame;
        frame.now = target == late ? 0x1p+30 : 0.0;
        const std::string refused = recording.open(target, 7, "");
        const std::string said = "record " + target + ": " + why;
        EXPECT_EQ(refused.empty() ? captureConsole([&] { recording.write(frame); }).standardError
                                  : refused,
                  refused.empty() ? "quorralith: " + said + "; recording stopped\n" : said);
    }
}

// Each stop signal ends every wait for a key after a missing file, standard
// input still open; then the run ends by that signal, its console's lines
// written.
TEST(StopSignals, EachSignalEndsEveryKeyWaitAndThenTheRunByItselfWithTheConsoleWritten) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const std::string console = testing::TempDir() + "console.txt";
        const auto waitThenEnd = [&console, signal] {
            alarm(10);  // a wait that outlives this is one the signal did not end
            int keyboard[2];
            if (pipe(keyboard) != 0 || dup2(keyboard[0], STDIN_FILENO) < 0 ||
                !std::freopen(console.c_str(), "w", stdout)) {
                std::_Exit(1);
            }
            catchStopSignals();
            std::printf("a line the console holds\n");
            raise(signal);
            for (int missingFile = 0; missingFile < 3; ++missingFile) {
                waitForAKeyAfterAMissingFile();
            }
            endByCaughtStopSignal();
            std::_Exit(0);
        };
        EXPECT_EXIT(waitThenEnd(), testing::KilledBySignal(signal), "") << strsignal(signal);
        std::ifstream written(console);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}),
                  "a line the console holds\n");
    }
}
