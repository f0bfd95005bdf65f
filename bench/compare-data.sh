#!/bin/sh
# What each of several data directories (say, the wall shader before and after
# a change) costs against the floor, measured in one invocation: the floor and
# the bench build of the game on every directory take turns, RUNS rounds of
# SECONDS each, at the start position of one seeded maze, so every directory
# draws the same picture. Prints each directory's median and its ratio.
# Arguments: the build directory, SECONDS, RUNS, then the data directories.
set -eu
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/game-session.sh"
build=$(cd "$1" && pwd)
seconds=$2
runs=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# timed_run RESULTS BINARY DATA [ARGUMENTS...]
timed_run() {
    results=$1
    binary=$2
    data=$3
    shift 3
    centre_pointer
    start_game "$binary" "$data" "$work/log" "$@"
    wait_for_line "$work/log" "ms/frame" 20 || { cat "$work/log" >&2; exit 1; }
    sleep "$seconds"
    end_game_with_escape || true
    grep "ms/frame" "$work/log" | tail -n +2 | cut -d' ' -f1 >>"$results"
}

median() {
    sort -g "$1" | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

round=1
while [ "$round" -le "$runs" ]; do
    timed_run "$work/floor" "$build/bench/floor_frame" "$1"
    index=0
    for data in "$@"; do
        index=$((index + 1))
        timed_run "$work/game$index" "$build/bench/placed_game" "$(cd "$data" && pwd)" --seed 7
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
