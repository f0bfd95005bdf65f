#include "app/RunSetup.h"

#include <random>

#include "app/ReplayFile.h"

std::string prepareRun(const GameOptions& options, RunSetup& setup) {
    setup.seed = options.seed;
    setup.autoplay = options.autoplay;
    if (!options.replayFile.empty()) {
        ReplayParse parse = readReplayFile(options.replayFile);
        if (!parse.error.empty()) {
            return parse.error;
        }
        setup.replaying = true;
        setup.replayWarning = std::move(parse.warning);
        setup.seed = parse.replay.seed;
        setup.replayFrames = std::move(parse.replay.frames);
    }
    if (options.recordFile.empty()) {
        return {};
    }
    if (!setup.seed) {
        setup.seed = std::random_device()();
    }
    return setup.recording.open(options.recordFile, *setup.seed, options.replayFile);
}
