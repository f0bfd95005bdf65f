#!/bin/sh
# The game started in an empty directory with nothing on standard input:
# every loader fails at once and none of them has a key to read, yet the game
# must start, report frame times, and end with exit code 0 on Escape. What
# each loader says and waits for when its own file is missing, or is not a
# regular file, is tests/app/MissingDataGlTest.cpp.
# Arguments: the game binary and a scratch directory.
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
game=$1 scratch=$2
empty="$scratch/empty" log="$scratch/console.log"
rm -rf "$scratch" && mkdir -p "$empty"

fail() {
    echo "FAIL: without any data file: $1"
    echo "---- game console ----"
    cat "$log"
    exit 1
}

centre_pointer
start_game "$game" "$empty" "$log"
if ! wait_for_line "$log" "ms/frame" 30; then
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID"
    fail "no frame-time report (exit code $?)"
fi
end_game_with_escape
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
# The run really had nothing to load: a loader said so.
grep -q "could not be opened" "$log" || fail "no loader reported a missing file"
echo "PASS: without any data file the game started, reported frame times and quit with 0"
