#include "app/Recording.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>

#include "app/StopSignals.h"
#include "assets/Platform.h"
#include "support/ConsoleCapture.h"

// What cannot hold a recording is refused before the window opens, or said as
// a failed write: the game's own console, a file any other program holds
// locked, a file that keeps nothing, a pipe whose reader has gone (which must
// not end the game by SIGPIPE, whatever the shell running it ignores). So is
// a frame no replay reads (a replay ending at the clock's limit played on).
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
        ": is the game's own standard output or error: record to another file";
    const std::string stopped = "); recording stopped\n";
    const std::pair<std::string, std::string> targets[] = {
        {"/proc/self/fd/1", "record /proc/self/fd/1" + console},
        {"/dev/stderr", "record /dev/stderr" + console},
        {locked, "record " + locked + ": is locked by another program"},
        {"/proc/self/comm",
         "quorralith: record /proc/self/comm: cannot be written (it does not "
         "keep what is written to it" +
             stopped},
        {noReader, "quorralith: record " + noReader + ": cannot be written (Broken pipe" + stopped},
        {late, "quorralith: record " + late +
                   ": line 3 would not replay (the time \"0x1p+30\" is "
                   "not a number of seconds from 0 to 1e9" +
                   stopped},
    };
    for (const auto& [target, said] : targets) {
        Recording recording;
        ControlInput frame;
        frame.now = target == late ? 0x1p+30 : 0.0;
        const std::string refusal = recording.open(target, 7, "");
        EXPECT_EQ(refusal.empty() ? captureConsole([&] { recording.write(frame); }).standardError
                                  : refusal,
                  said);
    }
}

// A stop signal ends every wait for a key after a missing file, standard input
// still open; then the run ends by that signal, its console's lines written.
TEST(StopSignals, ASignalEndsEveryKeyWaitAndThenTheRunByItselfWithTheConsoleWritten) {
    const std::string console = testing::TempDir() + "console.txt";
    const auto waitThenEnd = [&console] {
        alarm(10);  // a wait that outlives this is one the signal did not end
        int keyboard[2];
        if (pipe(keyboard) != 0 || dup2(keyboard[0], STDIN_FILENO) < 0 ||
            !std::freopen(console.c_str(), "w", stdout)) {
            std::_Exit(1);
        }
        catchStopSignals();
        std::printf("a line the console holds\n");
        raise(SIGTERM);
        for (int missingFile = 0; missingFile < 3; ++missingFile) {
            waitForAKeyAfterAMissingFile();
        }
        endByCaughtStopSignal();
        std::_Exit(0);
    };
    EXPECT_EXIT(waitThenEnd(), testing::KilledBySignal(SIGTERM), "");
    std::ifstream written(console);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}),
              "a line the console holds\n");
}
