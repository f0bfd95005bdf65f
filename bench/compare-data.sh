#!/bin/sh
# What each of several data directories (say, the wall shader before and after
# a change) costs against the floor, measured in one invocation: the floor and
# the bench build of the game on every directory take turns, RUNS rounds of
# SECONDS each, at the start position of one seeded maze, so every directory
# draws the same picture. Prints each directory's median and its ratio.
# Arguments: the build directory, SECONDS, RUNS, then the data directories.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/game-session.sh"
rerun_under_display "$0" "$@"
build=$(cd "$1" && pwd)
seconds=$2
runs=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

round=1
while [ "$round" -le "$runs" ]; do
    collect_frame_times "$work/floor" "$build/bench/floor_frame" "$1" "$seconds"
    index=0
    for data in "$@"; do
        index=$((index + 1))
        collect_frame_times "$work/game$index" "$build/bench/placed_game" "$(cd "$data" && pwd)" \
            "$seconds" --seed 7
    done
    round=$((round + 1))
done
floor=$(median "$work/floor")
echo "floor: $floor ms/frame"
index=0
for data in "$@"; do
    index=$((index + 1))
    game=$(median "$work/game$index")
    awk -v d="$data" -v g="$game" -v f="$floor" 'BEGIN { printf "%s: %s ms/frame, game / floor %.2f\n", d, g, g / f }'
done
