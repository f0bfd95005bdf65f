#!/bin/sh
# The browser build in Debian's headless Chromium (browser_test.mjs drives it
# over a table of the page's states), held against the desktop game: a table
# of views of ?seed=7 (the start, inside, close to a wall, towards the
# sculpture) matches the desktop's --seed 7 from the same places within what
# SwiftShader and llvmpipe differ by (fewer than 0.5 % of the pixels differ
# by more than 5 %), the start also with S3TC hidden from the page; the zip
# of make dist-web plays from a sub-path, inside a portal's iframe; W by its
# place eats the first food cube (the score corner has left the desktop
# overlay's "0/101"), and the mouse turns the view. Every wait is for what the
# case expects (a state, frames taken, keys held over a span of the game's
# time), so that a loaded machine only takes longer.
# The table is run in four parts that can run side by side, each in a
# browser of its own: "pictures", the cases whose screenshots are compared
# here, "play", the player's input, "host", the host and the address, and
# "page", the rest.
# Exits 77 (skipped) when the browser build has not been made (make web).
# Arguments: the browser build, the game, the score-line reference renderer,
# the data directory, a scratch directory, the part.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/game-session.sh"
web=$1 game=$2 reference=$3 data=$4 scratch=$5 part=$6
[ -f "$web/index.html" ] || { echo "SKIP: no browser build in $web (make web)"; exit 77; }
rm -rf "$scratch" && mkdir -p "$scratch"
fail() { echo "FAIL: $*"; exit 1; }

# NAME:PLACE, the place as the game's --at takes it (none: the start).
views="start: inside:10,1.7,2,90 wall:4,1.7,1.2,180 sculpture:38,1.7,38,0"
log="$scratch/desktop.log"
# The desktop's views, taken while the browser plays (the browser is headless
# and leaves the X server to the desktop game).
desktop_views() {
    for view in $views; do
        name=${view%%:*} at=${view#*:}
        centre_pointer
        start_game "$game" "$data" "$log" --seed 7 ${at:+--at "$at"}
        wait_for_line "$log" "ms/frame" 30 || fail "the desktop game did not start"
        screenshot "$(game_window)" "$scratch/desktop-$name.png" || fail "no desktop screenshot"
        end_game_with_escape
    done
}
[ "$part" = pictures ] && { desktop_views >"$scratch/desktop-views.txt" 2>&1 & desktop=$!; }

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$web" >"$scratch/server.log" 2>&1 &
server=$!
# A games portal: the zip unpacked under a sub-path of its own host, and
# shown by a page of the portal in an iframe.
portal="$scratch/portal"
mkdir -p "$portal/games/quorralith"
python3 -m zipfile -e "$web/quorralith-web.zip" "$portal/games/quorralith" || fail "no zip (make dist-web)"
# As portals frame a game: sandboxed, with scripts, storage and pointer lock
# let through, and fullscreen allowed.
echo '<!doctype html><iframe src="games/quorralith?seed=7" allow="fullscreen"
  sandbox="allow-scripts allow-same-origin allow-pointer-lock"
  style="border: 0; width: 1024px; height: 768px"></iframe>' >"$portal/frame.html"
portal_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$portal_port" --bind 127.0.0.1 --directory "$portal" >"$scratch/portal.log" 2>&1 &
portal_server=$!
trap 'kill "$server" "$portal_server"' EXIT
node "$here/browser_test.mjs" "http://127.0.0.1:$port/" "$web" "$scratch" \
    "http://127.0.0.1:$portal_port/frame.html" "$views" "$part" || exit 1
[ "$part" = pictures ] || { echo "PASS: the $part cases"; exit 0; }
wait "$desktop" || { cat "$scratch/desktop-views.txt" "$log"; exit 1; }

"$reference" "$data" "Points:   0/101" "$scratch/reference0.ppm" || fail "reference renderer failed"
score_corner "$scratch/reference0.ppm" "$scratch/reference0.png"

# near A B: pixels of A and B that differ by more than 5 %.
near() { compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1; }
# worst A B: the largest difference of one pixel's channel, from 0 to 1.
worst() { compare -metric PAE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
limit=3932  # 0.5 % of 1024 x 768
for view in $views; do
    name=${view%%:*}
    over=$(near "$scratch/desktop-$name.png" "$scratch/view-$name.png")
    echo "view $name: $over px differ by more than 5 % from the desktop's, worst pixel" \
        "$(worst "$scratch/desktop-$name.png" "$scratch/view-$name.png")"
    [ "$over" -lt "$limit" ] || fail "the view $name differs from the desktop's: $over px"
done
[ "$(near "$scratch/view-start.png" "$scratch/start-without-s3tc.png")" -lt "$limit" ] ||
    fail "without S3TC the view differs: $(near "$scratch/view-start.png" "$scratch/start-without-s3tc.png") px"
# The keyboard and the mouse.
score_corner "$scratch/view-start.png" "$scratch/start-corner.png"
score_corner "$scratch/walked.png" "$scratch/walked-corner.png"
# One cube or more, as a loaded machine's events last: a glyph is ~190 px.
[ "$(near "$scratch/walked-corner.png" "$scratch/reference0.png")" -gt \
    $(($(near "$scratch/start-corner.png" "$scratch/reference0.png") + 100)) ] ||
    fail "after walking the score still reads 0/101"
[ "$(differing_pixels "$scratch/walked.png" "$scratch/turned.png")" -gt 100000 ] ||
    fail "the look did not turn the view"

echo "PASS: four views as on the desktop, the start with and without S3TC; walk by key place to a cube, turn by mouse"
