#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/FrameStep.h"
#include "app/ReplayFile.h"
#include "maze/Maze.h"
#include "maze/MazeBlocks.h"
#include "player/Player.h"

namespace {
constexpr int tenRooms = 10;
constexpr double secondsPerFrame = 1.0 / 60.0;

constexpr int hundredRooms = 100;
constexpr int roomSideMultiplier = 2;

// Square mazes from the game's 10 x 10 rooms up to 100 x 100, with the room
// count as N. Google Benchmark fits the timings to each of its orders and
// names the closest, which tells whether generation still grows with the
// rooms alone once the candidate list and the pick window, which a pick walks
// back through, are a hundred times longer.
void BM_GenerateSquareMaze(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const Maze maze(side, side);
        benchmark::DoNotOptimize(maze.getGrid().cells[1][1]);
    }
    const std::int64_t rooms = static_cast<std::int64_t>(side) * side;
    state.SetComplexityN(rooms);
    state.counters["rooms/s"] = benchmark::Counter(static_cast<double>(rooms),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_GenerateSquareMaze)
    ->RangeMultiplier(roomSideMultiplier)
    ->Range(tenRooms, hundredRooms)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

// One frame of the game's rules as the frame step plays them (the controls,
// the wall push, the food and the score line), walking with a slight turn so
// that the player keeps meeting walls and sliding along them. Argument 1
// records every frame to a file as --record does: its line reaches the kernel
// in one write each frame, which is what a killed run's recording relies on.
void BM_FrameStep(benchmark::State& state) {
    Maze maze(tenRooms, tenRooms);
    Player player;
    player.setPosition(cellCentre(entranceCell.first, entranceCell.second, standingEyeHeight));
    char path[] = "/tmp/quorralith-bench-XXXXXX";
    const int scratch = mkstemp(path);
    RunSetup setup;
    if (state.range(0) != 0 && scratch >= 0) {
        setup.recording.open(path, 1, "");
    }
    FrameStep step(player, maze, std::move(setup), 0.0);
    WindowInput window = stillWindowAt(0.0);
    window.controls.cursorX -= 1.0;
    window.controls.forward = true;
    for (auto _ : state) {
        window.controls.now += secondsPerFrame;
        benchmark::DoNotOptimize(step.advance(window));
    }
    if (scratch >= 0) {
        close(scratch);
        unlink(path);
    }
}
BENCHMARK(BM_FrameStep)->ArgName("recording")->Arg(0)->Arg(1);

// A replay of N frames of a run at 1,000 frames a second, read as --replay
// does: through once before the window opens, then again a frame at a time
// as it plays. A file of any length is read so, a buffer at a time; this is
// what that costs, as the file's bytes a second (both passes).
void BM_ReadReplayFile(benchmark::State& state) {
    char path[] = "/tmp/quorralith-bench-XXXXXX";
    const int scratch = mkstemp(path);
    std::vector<ControlInput> frames(static_cast<size_t>(state.range(0)),
                                     stillWindowAt(0.0).controls);
    for (size_t frame = 0; frame < frames.size(); ++frame) {
        frames[frame].now = static_cast<double>(frame) / 1000.0;
        frames[frame].forward = frame % 3 != 0;
    }
    const std::string text = replayText(1, frames);
    if (scratch < 0 ||
        write(scratch, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        state.SkipWithError("no scratch file");
        return;
    }
    for (auto _ : state) {
        ReplayReader replay = openReplayFile(path);
        for (ControlInput frame; replay.next(frame);) {
            benchmark::DoNotOptimize(frame.now);
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    close(scratch);
    unlink(path);
}
BENCHMARK(BM_ReadReplayFile)->Arg(100000)->Unit(benchmark::kMillisecond);

// The matrices of one frame's 682 wall-model blocks and 101 food cubes.
void BM_TenByTenBlockList(benchmark::State& state) {
    const Maze maze(tenRooms, tenRooms);
    for (auto _ : state) {
        float sum = 0.0f;
        MazeBlocks::forEachWallBlock(
            maze.getGrid(),
            [&](MazeBlocks::WallBlock, const glm::mat4& matrix) { sum += matrix[3][0]; });
        MazeBlocks::forEachFoodBlock(
            maze.getGrid(), [&](int, int, const glm::mat4& matrix) { sum += matrix[3][2]; });
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TenByTenBlockList);
}  // namespace
