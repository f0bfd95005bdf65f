#!/bin/sh
# The real binary in a virtual X server: it reports frame times while it runs,
# clears to dark blue, and Escape ends it with exit code 0.
# Arguments: the game binary, the data directory, a scratch directory.
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
game=$1 data=$2 scratch=$3
mkdir -p "$scratch"
log="$scratch/window.log"
shot="$scratch/window.png"
fail() { echo "FAIL: $*"; echo "---- game console ----"; cat "$log"; exit 1; }

centre_pointer
start_game "$game" "$data" "$log"
wait_for_line "$log" "ms/frame" 30 || fail "no frame-time report"
sleep 1.2
reports=$(grep -c '^[0-9]*\.[0-9]\{6\} ms/frame$' "$log")
[ "$reports" -ge 2 ] || fail "expected a report each second, saw $reports"

window=$(game_window)
[ -n "$window" ] || fail "no window titled Quorralith"
[ "$(xdotool getwindowgeometry "$window" | grep -o '[0-9]*x[0-9]*$')" = "1024x768" ] ||
    fail "window is not 1024 x 768"
screenshot "$window" "$shot" || fail "no screenshot"
# The top of the view, above every wall, shows the clear colour.
[ "$(pixel "$shot" 512 4)" = "0,0,102" ] || fail "top centre is $(pixel "$shot" 512 4)"
[ "$(pixel "$shot" 1000 4)" = "0,0,102" ] || fail "top right is $(pixel "$shot" 1000 4)"

end_game_with_escape
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
echo "PASS: reports, clear colour, Escape ends with 0"
