#!/bin/sh
# The game's frame time against the floor of this machine: the same window,
# context and GL state presenting frames that are only cleared. Each program
# runs SECONDS at a time, alternating, RUNS times per view, and its own
# "ms/frame" lines are collected (the first, which holds the start-up, is
# dropped). The machines are shared and noisy, so only the ratio of the two
# medians of one invocation means anything; it is printed last.
# Arguments: the build directory, the data directory, [SECONDS], [RUNS].
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/game-session.sh"
rerun_under_display "$0" "$@"
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
seconds=${3:-10}
runs=${4:-3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# measure VIEW-NAME GAME-BINARY [ARGUMENTS...]: alternates game and floor runs.
measure() {
    view=$1
    binary=$2
    shift 2
    run=1
    while [ "$run" -le "$runs" ]; do
        collect_frame_times "$work/$view.game" "$binary" "$data" "$seconds" "$@"
        collect_frame_times "$work/$view.floor" "$build/bench/floor_frame" "$data" "$seconds"
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
