#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Recording.h"
#include "app/ReplayFile.h"
#include "player/Controls.h"

// What --autoplay, --record and --replay prepare before any window opens:
// the maze's seed, the replayed records, and the file being recorded to.
struct RunSetup {
    // From --seed or the replay; drawn from the random device for a
    // recording without one, so that the recording can name it. Without all
    // three the maze stays as random as ever.
    std::optional<std::uint32_t> seed;
    bool autoplay = false;
    // Only the benches walk the autopilot without running, to measure it.
    bool autopilotMayRun = true;
    // The replay's frames, read from its file as the run plays them.
    std::optional<ReplayReader> replay;
    // Said on standard error before the run: the replay's last line was cut
    // short, and only the whole frames before it play.
    std::string replayWarning;
    Recording recording;
};

// Reads the replay and opens the recording, relative to the working directory
// at start. The empty string when all is ready, otherwise one line saying
// what is wrong: the game must then end before opening its window.
std::string prepareRun(const GameOptions& options, RunSetup& setup);
