#!/bin/sh
# What each of several data directories (say, the wall shader before and after
# a change) costs, measured in one invocation on one seeded maze, so every
# directory draws the same picture: from the start position and from the far
# room looking back. Each round runs the floor and the bench build of the game
# on every directory, back to back, the order turning by one each round so that
# no directory always follows the same neighbour. Per view it prints each
# directory's median frame time, its CPU time per frame, its ratio to the
# floor and, round by round, its frame time and CPU time over the first
# directory's (minimum, median, maximum): those paired figures are the ones to
# compare.
# Arguments: the build directory, SECONDS, ROUNDS, then the data directories.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/game-session.sh"
rerun_under_display "$0" "$@"
build=$(cd "$1" && pwd)
seconds=$2
rounds=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Entry 0 is the floor, entries 1 to count the directories in the order given.
count=0
for data in "$@"; do
    count=$((count + 1))
    (cd "$data" && pwd) >"$work/directory.$count"
    echo "$data" >"$work/name.$count"
done
cp "$work/directory.1" "$work/directory.0"

# run_entry VIEW INDEX [PLACEMENT...]: one run of one entry.
run_entry() {
    view=$1
    index=$2
    shift 2
    directory=$(cat "$work/directory.$index")
    if [ "$index" -eq 0 ]; then
        collect_frame_times "$work/$view.$index" "$build/bench/floor_frame" "$directory" "$seconds"
    else
        collect_frame_times "$work/$view.$index" "$build/quorralith" "$directory" \
            "$seconds" --seed 7 "$@"
    fi
}

# compare VIEW [PLACEMENT...]: ROUNDS rounds of every entry, then the figures.
compare() {
    view=$1
    shift
    round=0
    while [ "$round" -lt "$rounds" ]; do
        step=0
        while [ "$step" -le "$count" ]; do
            run_entry "$view" $(((round + step) % (count + 1))) "$@"
            step=$((step + 1))
        done
        round=$((round + 1))
    done
    floor=$(median "$work/$view.0.median")
    printf "%s: floor %.2f ms/frame (CPU %.2f ms), medians of %s runs of %s s\n" \
        "$view" "$floor" "$(median "$work/$view.0.cpu")" "$rounds" "$seconds"
    index=1
    while [ "$index" -le "$count" ]; do
        for figure in median cpu; do
            ratios "$work/$view.$index.$figure" "$work/$view.1.$figure" \
                >"$work/$view.$index.$figure.paired"
        done
        game=$(median "$work/$view.$index.median")
        printf "  %s: %.2f ms/frame (CPU %.2f ms), game / floor %.2f; over the first, per round (minimum, median, maximum): wall clock %s, CPU time %s\n" \
            "$(cat "$work/name.$index")" "$game" "$(median "$work/$view.$index.cpu")" \
            "$(awk -v g="$game" -v f="$floor" 'BEGIN { print g / f }')" \
            "$(spread "$work/$view.$index.median.paired")" "$(spread "$work/$view.$index.cpu.paired")"
        index=$((index + 1))
    done
}

compare "start view"
compare "inside, far corner looking back" --at 38,1.7,38,180
