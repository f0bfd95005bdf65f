#!/bin/sh
# The game's frame time against the floor of this machine: the same window,
# context and GL state presenting frames that are only cleared.
#
# The machines are shared, and the floor itself runs at one of two speeds from
# one run to the next, so a few long runs give a ratio that swings with chance.
# Instead the game and the floor run in many short pairs, back to back, taking
# turns at going first, and each pair gives a ratio of its two medians; the
# median of those ratios is the figure, and their minimum and maximum say how
# much the machine moved under it. Beside the wall-clock medians stands the CPU
# time of one frame, all threads together (llvmpipe rasterises in threads of
# its own): it counts only the time the process ran, so another program's load
# moves it far less, and its paired ratio is printed too. The last line holds
# the medians of the paired ratios of both views together; the last figure,
# the CPU-time ratio, is the one that holds still on a shared machine.
# Arguments: the build directory, the data directory, [SECONDS], [PAIRS].
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/game-session.sh"
rerun_under_display "$0" "$@"
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
seconds=${3:-3}
pairs=${4:-10}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run_into NAME BINARY [ARGUMENTS...]: one run; its median and CPU per frame
# are appended to NAME.median and NAME.cpu.
run_into() {
    name=$1
    binary=$2
    shift 2
    collect_frame_times "$name" "$binary" "$data" "$seconds" "$@"
}

# measure VIEW-NAME GAME-BINARY [ARGUMENTS...]: PAIRS pairs of game and floor.
measure() {
    view="$work/$1"
    label=$1
    shift
    pair=1
    while [ "$pair" -le "$pairs" ]; do
        if [ $((pair % 2)) -eq 1 ]; then
            run_into "$view.game" "$@"
            run_into "$view.floor" "$build/bench/floor_frame"
        else
            run_into "$view.floor" "$build/bench/floor_frame"
            run_into "$view.game" "$@"
        fi
        pair=$((pair + 1))
    done
    for figure in median cpu; do
        ratios "$view.game.$figure" "$view.floor.$figure" >"$view.$figure.ratio"
    done
    printf "%s: game %.2f ms/frame (CPU %.2f ms), floor %.2f ms/frame (CPU %.2f ms), medians of %s pairs of %s s runs\n" \
        "$label" "$(median "$view.game.median")" "$(median "$view.game.cpu")" \
        "$(median "$view.floor.median")" "$(median "$view.floor.cpu")" "$pairs" "$seconds"
    echo "$label: game / floor per pair (minimum, median, maximum), wall clock $(spread "$view.median.ratio"), CPU time $(spread "$view.cpu.ratio")"
    cat "$view.median.ratio" >>"$work/all.median.ratio"
    cat "$view.cpu.ratio" >>"$work/all.cpu.ratio"
}

# From inside: the far room of the maze, looking back over every row towards
# the entrance, the view in which the most hidden walls are drawn first.
measure "inside, far corner looking back" "$build/quorralith" --seed 7 --at 38,1.7,38,180
# The game itself, where every run begins.
measure "start view" "$build/quorralith"
printf "game / floor, medians of the %s paired ratios of both views: wall clock %.2f, CPU time per frame %.2f\n" \
    "$((2 * pairs))" "$(median "$work/all.median.ratio")" "$(median "$work/all.cpu.ratio")"
