#!/bin/sh
# Runs every micro-benchmark built in the given build directory. The frame
# benchmark draws in a real window: without an X display it gets a virtual one.
set -eu
build=${1:-build}
found=0
for bench in "$build"/bench/*_bench; do
    [ -x "$bench" ] || continue
    found=1
    echo "== $(basename "$bench")"
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        "$bench" --benchmark_min_time=0.2
    else
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$bench" --benchmark_min_time=0.2
    fi
done
[ "$found" = 1 ] || echo "No benchmarks were built in $build/bench."
# What the whole game holds in memory, from the game binary of the same build.
echo "== peak memory"
"$(dirname "$0")/../bench/peak-memory.sh" "$build/quorralith" "$(dirname "$0")/../data"
# From starting the process to the first frame on the screen.
echo "== start-up"
"$(dirname "$0")/../bench/start-up.sh" "$build" "$(dirname "$0")/../data"
# Last, because it is the figure to read: the game's frame time over the
# floor of this machine, from one invocation (the machines are shared).
echo "== frame time against the floor"
"$(dirname "$0")/../bench/frame-ratio.sh" "$build" "$(dirname "$0")/../data"
