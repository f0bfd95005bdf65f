#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstring>
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
// pay the pause back, and the recording replays where the run walked, each of
// its pauses. A minimise is a pause the window says; a gap longer than any
// frame is one the process was stopped for, which nothing says; the frame of
// a machine that draws four a second is no pause.
TEST(ReplayFile, APauseOfAnyLengthIsNotWalkedNorReportedAndReplaysAsItWent) {
    const struct {
        double gapSeconds;
        bool minimised;
        float walkedUnits;
    } gaps[] = {{0.05, true, 0.0f},
                {100.0, true, 0.0f},
                {100.0, false, 0.0f},
                {3.5, false, 0.0f},
                {0.25, false, 0.75f}};
    for (const auto& [gapSeconds, minimised, walkedUnits] : gaps) {
        SCOPED_TRACE(testing::Message() << gapSeconds << (minimised ? " minimised" : " stopped"));
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
        for (double seconds = 0.0; walked.size() < 6;
             seconds += walked.size() % 2 ? 0.02 : gapSeconds) {
            if (minimised && walked.size() % 2 == 0 && !walked.empty()) {
                step.resumeAfterPause(seconds - 0.001);  // the window is read a little later
            }
            walking.controls.now = seconds;
            EXPECT_FALSE(step.advance(walking).reportedMillisecondsPerFrame.has_value());
            walked.push_back(player.getPosition());
        }
        for (const size_t afterGap : {2, 4}) {
            EXPECT_NEAR(walked[afterGap].z - walked[afterGap - 1].z, walkedUnits, 1e-3f);
            EXPECT_NEAR(walked[afterGap + 1].z - walked[afterGap].z, 0.06f, 1e-3f);
        }
        EXPECT_TRUE(step.finishRecording());
        std::swap(options.recordFile, options.replayFile);
        RunSetup replay;
        ASSERT_EQ(prepareRun(options, replay), "");
        const std::vector<Player> replayed = playersOfEveryFrame(maze, std::move(replay), 1.0, 5.0);
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
    // 4096 bytes without its line end: its time written with leading zeros.
    const std::string fields = " 0x1p+9 0x1.8p+8 1024 768 W...R.F";
    const std::string longestFrame = std::string(4095 - fields.size(), '0') + "1" + fields;
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
        {head + longestFrame + "\r\n", "", "", 1},
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
        {head + frame + "86401 0x1p+9 0x1.8p+8 1024 768 ......F\n", "", "", 2},
        {head + frame + "\n\n\n" + frame,
         "line 4: expected 6 fields (time, cursor x, cursor y, width, "
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

namespace {

// A full pipe, its reader there but not reading: its name, as --record
// would be given it.
std::string fullPipe() {
    int ends[2] = {-1, -1};
    const std::string filler(PIPE_BUF, '\n');
    if (pipe2(ends, O_NONBLOCK) == 0) {
        while (write(ends[1], filler.data(), filler.size()) > 0) {
        }
    }
    return "/proc/self/fd/" + std::to_string(ends[1]);
}

}  // namespace

// Refused before the window opens, or said once as a failed write while the
// game goes on: the game's own console, any terminal, a file another program
// locks, one that keeps nothing, a pipe with no reader (not death by
// SIGPIPE), a frame no replay reads (past 1e9 s: the file it made is then
// taken away, as a full disk would leave it), a full pipe that takes nothing
// for 5 s of play, or that still has lines waiting when the run ends.
// /dev/null is a sink, even as standard output; a frame a day after the last
// records (and replays: the damaged files' table).
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
    unlink(late.c_str());
    const std::string far = testing::TempDir() + "far.replay";
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const int nullOutput = open("/dev/null", O_WRONLY);
    const std::string console =
        "is the game's own standard output or error: record to another file";
    const struct {
        std::string target;
        std::string why;
        std::vector<double> frameSeconds = {1.0, 2.0};
    } targets[] = {
        {"/proc/self/fd/1", ""},
        {"/dev/stderr", console},
        {ptsname(terminal), "is a terminal: record to a file"},
        {locked, "is locked by another program"},
        {"/proc/self/comm", "cannot be written (it does not keep what is written to it)"},
        {noReader, "cannot be written (Broken pipe)"},
        {late,
         "line 3 would not replay (the time \"0x1p+30\" is not a number of seconds "
         "from 0 to 1e9)",
         {0x1p+30}},
        {fullPipe(), "cannot be written (it has taken nothing for 5 s)", {1.0, 6.5}},
        {fullPipe(), "cannot be written (4 lines were not taken when the game ended)", {1.0, 5.0}},
        {far, "", {1.0, 86401.0}},
    };
    for (const auto& [target, why, frameSeconds] : targets) {
        Recording recording;
        // Standard output sent to /dev/null, as a script may.
        const int output = dup(STDOUT_FILENO);
        dup2(nullOutput, STDOUT_FILENO);
        const std::string refused = recording.open(target, 7, "");
        dup2(output, STDOUT_FILENO);
        close(output);
        const std::string said = why.empty() ? "" : "record " + target + ": " + why;
        const std::string written = captureConsole([&, times = frameSeconds] {
                                        for (const double seconds : times) {
                                            ControlInput frame;
                                            frame.now = seconds;
                                            recording.write(frame, seconds);
                                        }
                                        recording.finish();
                                    }).standardError;
        EXPECT_EQ(refused.empty() ? written : refused,
                  refused.empty() && !why.empty() ? "quorralith: " + said + "; recording stopped\n"
                                                  : said);
    }
    EXPECT_NE(access(late.c_str(), F_OK), 0);
}

// Each stop signal ends every wait for a key after a missing file, standard
// input still open, and a replay's read-through before it finds damage far
// on; then the run ends by that signal, its console's lines written.
TEST(StopSignals, EachSignalEndsEveryKeyWaitAndThenTheRunByItselfWithTheConsoleWritten) {
    const std::string damagedFarOn = testing::TempDir() + "damaged.replay";
    std::ofstream(damagedFarOn) << replayText(7, std::vector<ControlInput>(1000)) << "damage\n";
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const std::string console = testing::TempDir() + "console.txt";
        const auto waitThenEnd = [&console, &damagedFarOn, signal] {
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
            if (!openReplayFile(damagedFarOn).error().empty()) {
                std::_Exit(1);
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
