#!/bin/sh
# Start-up time: from starting the game's process to its first frame being
# presented and finished, shader compilation, file loading and maze
# generation included. bench/start_up_game prints the wall-clock time of that
# moment and ends; this script takes away the time just before it
# started the process. Prints every run and the median of RUNS (default 7).
# Arguments: the build directory, the data directory, [RUNS].
set -eu
. "$(cd "$(dirname "$0")" && pwd)/../scripts/game-session.sh"
rerun_under_display "$0" "$@"
game=$(cd "$1" && pwd)/bench/start_up_game
data=$(cd "$2" && pwd)
runs=${3:-7}
times=$(mktemp)
trap 'rm -f "$times"' EXIT
centre_pointer
run=1
while [ "$run" -le "$runs" ]; do
    started=$(date +%s%N)
    presented=$(cd "$data" && "$game" | sed -n 's/^first frame presented at \([0-9]*\) ns$/\1/p')
    if [ -z "$presented" ]; then
        echo "The game did not report its first frame." >&2
        exit 1
    fi
    echo "$(((presented - started) / 1000)) us" | awk '{ printf "%.1f\n", $1 / 1000 }' >>"$times"
    run=$((run + 1))
done
echo "start-up to first presented frame, ms: $(tr '\n' ' ' <"$times")"
sort -g "$times" | awk '{ v[NR] = $1 } END { printf "start-up, median of %d runs: %.1f ms\n", NR, v[int((NR + 1) / 2)] }'
