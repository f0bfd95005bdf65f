#pragma once

// The once-a-second frame-time report. The interval start is advanced by
// exactly one second per report rather than set to the clock, so that a stall
// is paid back by a run of reports until the interval has caught up.
class FrameReport {
  public:
    explicit FrameReport(double startSeconds) : reportTime(startSeconds) {}

    // Counts a frame begun at nowSeconds. Returns true, with the average
    // milliseconds per frame of the interval, when a report is due.
    bool frameBegun(double nowSeconds, double& millisecondsPerFrame);

  private:
    double reportTime;
    int frameCount = 0;
};
