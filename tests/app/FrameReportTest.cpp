#include "app/FrameReport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Feeds frames begun at the given times and returns the reports they gave.
std::vector<double> reportsFor(FrameReport& report, const std::vector<double>& frameTimes) {
    std::vector<double> reports;
    for (const double now : frameTimes) {
        double millisecondsPerFrame = 0.0;
        if (report.frameBegun(now, millisecondsPerFrame)) {
            reports.push_back(millisecondsPerFrame);
        }
    }
    return reports;
}

}  // namespace

TEST(FrameReport, SixtyFramesInASecondReportSixteenPointSixSixMilliseconds) {
    FrameReport report(0.0);
    std::vector<double> times;
    for (int frame = 1; frame <= 60; ++frame) {
        times.push_back(frame / 60.0);  // the 60th frame begins at 1.0 s and reports
    }
    const std::vector<double> reports = reportsFor(report, times);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NEAR(reports[0], 16.666667, 5e-7);
}

TEST(FrameReport, AStallIsFollowedByAReportPerFrameUntilTheClockIsCaughtUp) {
    FrameReport report(0.0);
    // One frame at 0.5 s, then a stall: frames at 4.0, 4.01 and 4.02 each
    // report, the first for two frames, the others for one frame each.
    const std::vector<double> reports = reportsFor(report, {0.5, 4.0, 4.01, 4.02, 4.03, 4.04});
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_DOUBLE_EQ(reports[0], 500.0);
    EXPECT_DOUBLE_EQ(reports[1], 1000.0);
    EXPECT_DOUBLE_EQ(reports[2], 1000.0);
    EXPECT_DOUBLE_EQ(reports[3], 1000.0);
}
