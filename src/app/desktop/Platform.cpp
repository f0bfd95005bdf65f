#include "app/Platform.h"

#include <optional>

#include "sound/SoundOutput.h"

void driveFrames(GameRun& run, const DrawFrame& draw) {
    while (const std::optional<FrameOutcome> frame = presentFrame(run.opened, run.step, draw)) {
        run.sound.play(frame->sounds);
    }
}

void requestPlatformWindowHints() {}

void startPlatformSound(SoundOutput& sound, const GameOptions& options) {
    if (!options.mute) {
        sound.open();
    }
}
