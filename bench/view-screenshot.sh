#!/bin/sh
# Saves a picture of the game as a player sees it, for comparing the look
# before and after a change: the game, placed and seeded as the arguments
# after the third say, two seconds after its first report.
# Arguments: the build directory, the data directory, the PNG to write, then
# the game's own (--seed N --at X,Y,Z,YAW[,PITCH]).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/game-session.sh"
rerun_under_display "$0" "$@"
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
out=$3
shift 3
log=$(mktemp)
trap 'rm -f "$log"' EXIT
centre_pointer
start_game "$build/quorralith" "$data" "$log" "$@"
if ! wait_for_line "$log" "ms/frame" 20; then
    cat "$log" >&2
    kill "$GAME_PID" 2>/dev/null || true
    exit 1
fi
sleep 2
screenshot "$(game_window)" "$out"
end_game_with_escape
echo "$out"
