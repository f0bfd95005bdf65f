#include "app/FrameReport.h"

#include "app/GameConstants.h"

bool FrameReport::frameBegun(double nowSeconds, double& millisecondsPerFrame) {
    frameCount += 1;
    if (nowSeconds - reportTime < game::reportIntervalSeconds) {
        return false;
    }
    millisecondsPerFrame = 1000.0 / double(frameCount);
    frameCount = 0;
    reportTime += game::reportIntervalSeconds;
    return true;
}
