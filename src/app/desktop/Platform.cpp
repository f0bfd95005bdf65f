#include "app/Platform.h"

void driveFrames(GameRun& run, const DrawFrame& draw) {
    while (presentFrame(run.opened, run.step, draw)) {
    }
}

void requestPlatformWindowHints() {}
