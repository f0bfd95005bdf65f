#include "app/Recording.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/StopSignals.h"
#include "assets/Platform.h"
#include "support/ConsoleCapture.h"

namespace {

constexpr std::uint32_t anySeed = 7;

// What happens to a recording into `target`: the line that refuses it, or
// else what standard error says once a frame is written.
std::string recordOneFrameTo(const std::string& target) {
    Recording recording;
    const std::string refusal = recording.open(target, anySeed, "");
    if (!refusal.empty()) {
        return refusal;
    }
    return captureConsole([&recording] { recording.write(ControlInput{}); }).standardError;
}

}  // namespace

// Whatever cannot hold a recording is refused before the window opens, or
// said as a failed write: the game's own console (its lines would be mixed
// into the frames), a file locked by any other program, a file that keeps
// nothing of what is written to it, and a pipe whose reader has gone, which
// must not end the game by SIGPIPE.
TEST(Recording, ATargetThatCannotHoldTheRunIsRefusedOrSaidAsAFailedWrite) {
    // As the game starts, whatever the shell that ran the tests ignores.
    std::signal(SIGPIPE, SIG_DFL);
    catchStopSignals();
    const std::string locked = testing::TempDir() + "locked.replay";
    std::ofstream(locked) << "";
    const int otherProgram = open(locked.c_str(), O_RDONLY);
    ASSERT_EQ(flock(otherProgram, LOCK_EX), 0);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const std::string pipeWithoutReader = "/proc/self/fd/" + std::to_string(pipeEnds[1]);
    const struct {
        std::string target;
        std::string said;
    } targets[] = {
        {"/proc/self/fd/1",
         "record /proc/self/fd/1: is the game's own standard output or error: "
         "record to another file"},
        {"/dev/stderr",
         "record /dev/stderr: is the game's own standard output or error: record to another file"},
        {locked, "record " + locked + ": is locked by another program"},
        {"/proc/self/comm",
         "quorralith: record /proc/self/comm: cannot be written (it does not "
         "keep what is written to it); recording stopped\n"},
        {pipeWithoutReader, "quorralith: record " + pipeWithoutReader +
                                ": cannot be written (Broken pipe); recording stopped\n"},
    };
    close(pipeEnds[0]);
    for (const auto& row : targets) {
        EXPECT_EQ(recordOneFrameTo(row.target), row.said);
    }
    close(otherProgram);
    close(pipeEnds[1]);
}

// A stop signal during a loader's wait for a key ends that wait and every one
// after it, with standard input still open; the run then ends by that signal,
// its console's buffered lines written as Escape would leave them.
TEST(StopSignals, ASignalEndsEveryKeyWaitAndThenTheRunByItselfWithTheConsoleWritten) {
    const std::string console = testing::TempDir() + "console.txt";
    const auto waitsThenEnds = [&console] {
        // A wait that outlives this is one the signal did not end.
        alarm(10);
        int keyboard[2];
        if (pipe(keyboard) != 0 || dup2(keyboard[0], STDIN_FILENO) < 0 ||
            !std::freopen(console.c_str(), "w", stdout)) {
            std::_Exit(1);
        }
        catchStopSignals();
        std::printf("a line the console holds\n");
        std::thread signal([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            kill(getpid(), SIGTERM);
        });
        signal.detach();
        for (int missingFile = 0; missingFile < 3; ++missingFile) {
            waitForAKeyAfterAMissingFile();
        }
        endByCaughtStopSignal();
        std::_Exit(0);
    };
    EXPECT_EXIT(waitsThenEnds(), testing::KilledBySignal(SIGTERM), "");
    std::stringstream written;
    written << std::ifstream(console).rdbuf();
    EXPECT_EQ(written.str(), "a line the console holds\n");
}
