#include <benchmark/benchmark.h>

#include <cstdint>
#include <utility>

#include "app/FrameStep.h"
#include "app/GameConstants.h"
#include "maze/Maze.h"
#include "player/Tour.h"

// The autopilot's whole tour of a 10 x 10 maze, played without a window at 60
// steps a second, over the same eight seeded mazes every time. Besides the
// time a tour takes to compute, it reports per maze, in world units: the
// distance the autopilot walks (tour_units, corners rounded), its planned
// tour from cell centre to cell centre out to the sculpture's cell
// (plan_units), and the shortest walk from the entrance that enters every
// room, measured the same way and ending in the farthest room
// (shortest_units); and the game time of the tour (game_s). Argument 0: walking only; 1: running
// where it can.
namespace {
constexpr double secondsPerFrame = 1.0 / 60.0;
constexpr double maxGameSeconds = 1000.0;
constexpr std::uint32_t mazeCount = 8;

void BM_AutopilotTour(benchmark::State& state) {
    const bool mayRun = state.range(0) != 0;
    double tourUnits = 0.0;
    double shortestUnits = 0.0;
    double planUnits = 0.0;
    double gameSeconds = 0.0;
    int incomplete = 0;
    for (auto _ : state) {
        tourUnits = shortestUnits = planUnits = gameSeconds = 0.0;
        for (std::uint32_t seed = 1; seed <= mazeCount; ++seed) {
            Maze maze(game::roomRows, game::roomColumns, seededPick(seed));
            shortestUnits += cellPitch * shortestRoomWalkSteps(maze.getGrid());
            planUnits += cellPitch * static_cast<double>(planTour(maze.getGrid()).size() - 1);
            RunSetup autoplay;
            autoplay.autoplay = true;
            autoplay.autopilotMayRun = mayRun;
            const SimulatedRun result =
                simulateRun(maze, std::move(autoplay), {secondsPerFrame}, maxGameSeconds);
            tourUnits += result.walkedUnits;
            gameSeconds += result.gameSeconds;
            incomplete += result.arrived && result.points == 101 ? 0 : 1;
        }
    }
    state.counters["tour_units"] = tourUnits / mazeCount;
    state.counters["plan_units"] = planUnits / mazeCount;
    state.counters["shortest_units"] = shortestUnits / mazeCount;
    state.counters["tour/shortest"] = tourUnits / shortestUnits;
    state.counters["game_s"] = gameSeconds / mazeCount;
    if (incomplete != 0) {
        state.SkipWithError("a tour did not eat everything and arrive");
    }
}
BENCHMARK(BM_AutopilotTour)->ArgName("running")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}  // namespace
