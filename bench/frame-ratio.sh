#!/bin/sh
# The game's frame time against the floor of this machine: the same window,
# context and GL state presenting frames that are only cleared. Each program
# runs SECONDS at a time, alternating, RUNS times per view, and its own
# "ms/frame" lines are collected (the first, which holds the start-up, is
# dropped). The machines are shared and noisy, so only the ratio of the two
# medians of one invocation means anything; it is printed last.
# Arguments: the build directory, the data directory, [SECONDS], [RUNS].
set -eu
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
seconds=${3:-10}
runs=${4:-3}
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
. "$here/../scripts/game-session.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run_for NAME BINARY [ARGUMENTS...]: one timed run, its frame times appended
# to $work/NAME.
run_for() {
    name=$1
    shift
    binary=$1
    shift
    log="$work/log"
    centre_pointer
    start_game "$binary" "$data" "$log" "$@"
    if ! wait_for_line "$log" "ms/frame" 20; then
        echo "$binary did not report a frame time:" >&2
        cat "$log" >&2
        kill "$GAME_PID" 2>/dev/null || true
        exit 1
    fi
    sleep "$seconds"
    end_game_with_escape || true
    grep "ms/frame" "$log" | tail -n +2 | cut -d' ' -f1 >>"$work/$name"
}

median() {
    sort -g "$1" | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# measure VIEW-NAME GAME-BINARY [ARGUMENTS...]: alternates game and floor runs.
measure() {
    view=$1
    shift
    run=1
    while [ "$run" -le "$runs" ]; do
        run_for "$view.game" "$@"
        run_for "$view.floor" "$build/bench/floor_frame"
        run=$((run + 1))
    done
    game=$(median "$work/$view.game")
    floor=$(median "$work/$view.floor")
    ratio=$(awk -v g="$game" -v f="$floor" 'BEGIN { printf "%.2f", g / f }')
    echo "$view: game $game ms/frame, floor $floor ms/frame (medians of $runs runs of ${seconds} s each)"
    RATIO=$ratio
}

# From inside: the far room of the maze, looking back over every row towards
# the entrance, the view in which the most hidden walls are drawn first.
measure "inside, far corner looking back" "$build/bench/placed_game" --seed 7 --at 38 1.7 38 180
echo "game / floor inside the maze: $RATIO"
# The game itself, where every run begins.
measure "start view" "$build/quorralith"
echo "game / floor at the start view: $RATIO"
