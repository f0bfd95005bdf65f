#include "app/RunSetup.h"

#include <random>

#include "app/ReplayFile.h"

std::string prepareRun(const GameOptions& options, RunSetup& setup) {
    setup.seed = options.seed;
    setup.autoplay = options.autoplay;
    if (!options.replayFile.empty()) {
        ReplayReader replay = openReplayFile(options.replayFile);
        if (!replay.error().empty()) {
            return replay.error();
        }
        setup.replayWarning = replay.warning();
        setup.seed = replay.seed();
        setup.replay = std::move(replay);
    }
    if (options.recordFile.empty()) {
        return {};
    }
    if (!setup.seed) {
        setup.seed = std::random_device()();
    }
    return setup.recording.open(options.recordFile, *setup.seed, options.replayFile);
}
