#!/bin/sh
# A short real run, every GL call recorded by apitrace: the game starts,
# reports a frame time, and Escape ends it with exit code 0; then the trace
# must show every GL object created by the game deleted exactly once, nothing
# made or deleted while frames were drawn, and teardown releasing the text
# overlay, the wall, food and sculpture models, the wall, food and sculpture
# programs and last the vertex array, in that order (check_gl_teardown.py).
# Arguments: the game binary, the data directory, a scratch directory.
set -u
here=$(dirname "$0")
. "$here/../../scripts/game-session.sh"
game=$1 data=$2 scratch=$3
mkdir -p "$scratch"
log="$scratch/teardown.log"
trace="$scratch/teardown.trace"
fail() { echo "FAIL: $*"; echo "---- game console ----"; cat "$log"; exit 1; }

rm -f "$trace"
centre_pointer
start_traced_game "$game" "$data" "$log" "$trace"
wait_for_line "$log" "ms/frame" 60 || fail "no frame-time report"
end_game_with_escape
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
[ -s "$trace" ] || fail "apitrace wrote no trace"

"$here/check_gl_teardown.py" "$trace" || exit 1
echo "PASS: every GL object deleted once, in release order, after Escape ended the game with 0"
