#!/bin/sh
# The browser build in Debian's headless Chromium (browser_test.mjs drives it
# over a table of the page's states), held against the desktop game: the
# start view of ?seed=7 matches the desktop's --seed 7 within what
# SwiftShader and llvmpipe differ by (fewer than 0.5 % of the pixels differ
# by more than 5 %), also with S3TC hidden from the page; W by its place eats
# the first food cube (the score corner reads nearer the desktop overlay's
# "1/101" than its "0/101"), and so does the touch stick; the mouse and a
# drag turn the view; a paused game and a
# paused demo stand still, and resuming turns nothing; ?autoplay moves by
# itself until a click hands the game over. Every wait is for what the case
# expects (a state, frames taken, keys held over a span of the game's time),
# so that a loaded machine only takes longer.
# Exits 77 (skipped) when the browser build has not been made (make web).
# Arguments: the browser build, the game, the score-line reference renderer,
# the data directory, a scratch directory.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/game-session.sh"
web=$1 game=$2 reference=$3 data=$4 scratch=$5
[ -f "$web/quorralith.html" ] || { echo "SKIP: no browser build in $web (make web)"; exit 77; }
rm -rf "$scratch" && mkdir -p "$scratch"
fail() { echo "FAIL: $*"; exit 1; }

log="$scratch/desktop.log"
centre_pointer
start_game "$game" "$data" "$log" --seed 7
wait_for_line "$log" "ms/frame" 30 || fail "the desktop game did not start"
screenshot "$(game_window)" "$scratch/desktop-start.png" || fail "no desktop screenshot"
end_game_with_escape
for eaten in 0 1; do
    "$reference" "$data" "Points:   $eaten/101" "$scratch/reference$eaten.ppm" ||
        fail "reference renderer failed"
    score_corner "$scratch/reference$eaten.ppm" "$scratch/reference$eaten.png"
done

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$web" >"$scratch/server.log" 2>&1 &
server=$!
trap 'kill "$server"' EXIT
node "$here/browser_test.mjs" "http://127.0.0.1:$port/quorralith.html" "$web" "$scratch" ||
    exit 1

# near A B: pixels of A and B that differ by more than 5 %.
near() { compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1; }
limit=3932  # 0.5 % of 1024 x 768
[ "$(near "$scratch/desktop-start.png" "$scratch/start.png")" -lt "$limit" ] ||
    fail "the start view differs from the desktop's: $(near "$scratch/desktop-start.png" "$scratch/start.png") px"
[ "$(near "$scratch/start.png" "$scratch/start-without-s3tc.png")" -lt "$limit" ] ||
    fail "without S3TC the view differs: $(near "$scratch/start.png" "$scratch/start-without-s3tc.png") px"
# The keyboard and the mouse, then the touch stick and a drag.
for hand in "" touch-; do
    score_corner "$scratch/${hand}walked.png" "$scratch/${hand}walked-corner.png"
    [ "$(near "$scratch/${hand}walked-corner.png" "$scratch/reference1.png")" -lt \
        "$(near "$scratch/${hand}walked-corner.png" "$scratch/reference0.png")" ] ||
        fail "after ${hand}walking the score does not read 1/101"
    [ "$(differing_pixels "$scratch/${hand}walked.png" "$scratch/${hand}turned.png")" -gt 100000 ] ||
        fail "the ${hand}look did not turn the view"
done
[ "$(differing_pixels "$scratch/paused.png" "$scratch/resumed.png")" = 0 ] ||
    fail "resuming turned the view"
[ "$(differing_pixels "$scratch/demo.png" "$scratch/demo-later.png")" -gt 0 ] ||
    fail "?autoplay did not move by itself"
[ "$(differing_pixels "$scratch/demo-paused.png" "$scratch/demo-paused-later.png")" = 0 ] ||
    fail "Escape did not pause the demo"
[ "$(differing_pixels "$scratch/clicked.png" "$scratch/clicked-later.png")" = 0 ] ||
    fail "a click did not hand the demo's game to the player"
[ "$(differing_pixels "$scratch/clicked-later.png" "$scratch/clicked-walked.png")" -gt 0 ] ||
    fail "the demo's game did not go on after its pause"
echo "PASS: start view as on the desktop, with and without S3TC; walk by key place and by the touch stick to 1/101, turn by mouse and drag; pause and resume; the demo; fullscreen, failed loads and modules, lost context, Shift and C, a resize, touch gestures"
