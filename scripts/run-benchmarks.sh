#!/bin/sh
# Everything `make bench` prints, from the given build directories (the
# desktop's, then the browser's): the micro-benchmarks, the game's peak
# memory, its start-up time, the browser page's figures, and last the figure
# to read, the desktop game's frame time against the floor of this machine.
# A section that fails is reported and the others still run; the exit status
# says whether all of them passed. Whatever draws gets a virtual X display
# when there is no real one.
set -u
build=${1:-build}
web=${2:-build-web}
here=$(cd "$(dirname "$0")" && pwd)
data="$here/../data"
failed=0

# section TITLE COMMAND...: runs one part and notes a failure.
section() {
    echo "== $1"
    shift
    "$@" || { echo "(failed: $*)"; failed=1; }
}

. "$here/game-session.sh"

with_display() {
    if has_display; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"
    fi
}

found=0
for bench in "$build"/bench/*_bench; do
    [ -x "$bench" ] || continue
    found=1
    section "$(basename "$bench")" with_display "$bench" --benchmark_min_time=0.2
done
[ "$found" = 1 ] || echo "No benchmarks were built in $build/bench."
# What the whole game holds in memory, from the game binary of the same build.
section "peak memory" "$here/../bench/peak-memory.sh" "$build/quorralith" "$data"
# From starting the process to the first frame on the screen.
section "start-up" "$here/../bench/start-up.sh" "$build" "$data"
# The page in headless Chromium: downloads, time to the first frame, and
# frame time against a page that only clears (skipped without a browser build).
section "browser page" "$here/../bench/web/browser-figure.sh" "$web"
# Last, because it is the figure to read: the game's frame time over the
# floor of this machine, from one invocation (the machines are shared).
section "frame time against the floor" "$here/../bench/frame-ratio.sh" "$build" "$data"
exit "$failed"
