#!/bin/sh
# The real game, played: a 1024 x 768 window reports its frame time once a
# second, and the first view shows walls, floor, a food cube, the clear colour
# above them and the score line "Points:   0/101"; W walks into the first
# room, eats its food and the line becomes "Points:   1/101"; Escape ends the
# game with exit code 0. The score line is compared with the same text
# rendered by the game's own overlay (score_line_reference): pixel for pixel
# over the sky at the start, and on the pixels the text covers whole after
# the walk, wherever it ends.
# Without the focus the view keeps still; the mouse then turns the view and
# the cursor goes back to the centre.
# Arguments: the game binary, the reference renderer, the data directory, a
# scratch directory.
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
game=$1 reference=$2 data=$3 scratch=$4
mkdir -p "$scratch"
log="$scratch/play.log"
fail() { echo "FAIL: $*"; echo "---- game console ----"; cat "$log"; exit 1; }

for eaten in 0 1; do
    "$reference" "$data" "Points:   $eaten/101" "$scratch/reference$eaten.ppm" ||
        fail "reference renderer failed"
    score_corner "$scratch/reference$eaten.ppm" "$scratch/reference$eaten.png"
done
[ "$(differing_pixels "$scratch/reference0.png" "$scratch/reference1.png")" -gt 0 ] ||
    fail "the two reference lines look the same"

centre_pointer
start_game "$game" "$data" "$log"
wait_for_line "$log" "ms/frame" 30 || fail "the game did not start"
window=$(game_window)
xdotool windowfocus --sync "$window"
sleep 0.5
screenshot "$window" "$scratch/start.png" || fail "no screenshot"

[ "$(xdotool getwindowgeometry "$window" | grep -o '[0-9]*x[0-9]*$')" = "1024x768" ] ||
    fail "window is not 1024 x 768"
check_start_view "$scratch/start.png" || fail "the start view is not floor, walls and food"
for x in 512 1000; do
    [ "$(pixel "$scratch/start.png" "$x" 4)" = "0,0,102" ] || fail "no clear colour at ($x, 4)"
done
score_corner "$scratch/start.png" "$scratch/start-corner.png"
[ "$(differing_pixels "$scratch/start-corner.png" "$scratch/reference0.png")" = 0 ] ||
    fail "the first score line is not 'Points:   0/101'"

# reads_line CORNER REFERENCE: true when CORNER shows REFERENCE's line over
# whatever lies behind it, sky or stone: the pixels the text covers whole
# (no bluer than they are red or green, as any sky behind them would make
# them) match within 1 %.
reads_line() {
    convert "$2" -fx 'b <= r && b <= g && r + g + b > 0' "$scratch/ink.png" &&
        convert "$1" "$scratch/ink.png" -compose multiply -composite "$scratch/read.png" &&
        convert "$2" "$scratch/ink.png" -compose multiply -composite "$scratch/expected.png" &&
        [ "$(compare -metric AE -fuzz 1% "$scratch/read.png" "$scratch/expected.png" null: 2>&1)" = 0 ]
}
# W in short steps, each read back once every frame of it is shown, until
# the line reads 1/101: however slowly a loaded machine draws, the walk stops
# a step or so past the cube, where the line may stand over the room's wall.
for step in $(seq 20); do
    xdotool keydown w && sleep 0.1 && xdotool keyup w
    wait_for_frames "$log" 30 && screenshot "$window" "$scratch/walked.png" || fail "no screenshot after walking"
    score_corner "$scratch/walked.png" "$scratch/walked-corner.png"
    reads_line "$scratch/walked-corner.png" "$scratch/reference1.png" && break
done
reads_line "$scratch/walked-corner.png" "$scratch/reference1.png" ||
    fail "after walking into the first room the score line is not 'Points:   1/101'"
# Ahead lies a wall of the room, or a corridor whose far end the air turns
# almost to the sky's colour, but never quite to it.
[ "$(pixel "$scratch/walked.png" 512 384)" != "0,0,102" ] || fail "nothing drawn ahead in the room"

# While another window has the focus the cursor stays where it is, and the
# view must not keep turning; when the focus comes back the cursor is put
# back before it turns anything, so the view does not jump.
xdotool windowfocus --sync "$(xwininfo -root | awk '/Window id/ { print $4 }')"
xdotool mousemove 552 384
sleep 0.5
screenshot "$window" "$scratch/unfocused.png" && sleep 1 && screenshot "$window" "$scratch/later.png" &&
    xdotool windowfocus --sync "$window" && sleep 0.5 && screenshot "$window" "$scratch/refocused.png" ||
    fail "no screenshots around the change of focus"
for shot in unfocused later refocused; do
    [ "$(compare -metric AE -fuzz 5% "$scratch/walked.png" "$scratch/$shot.png" null: 2>&1)" = 0 ] ||
        fail "the view turned without the focus or when it came back ($shot.png)"
done

# The mouse turns the view, and every frame puts the cursor back at the
# window's centre (the window sits at the screen's top-left corner).
# A move that lands between the game's cursor read and its re-centring is
# lost, so the turn is tried up to three times.
for attempt in 1 2 3; do
    xdotool mousemove_relative -- 200 0
    sleep 0.8
    screenshot "$window" "$scratch/turned.png" || fail "no screenshot after turning"
    view_change=$(compare -metric AE -fuzz 5% "$scratch/walked.png" "$scratch/turned.png" null: 2>&1)
    [ "$view_change" -gt 100000 ] && break
done
[ "$view_change" -gt 100000 ] || fail "the view hardly changed after turning ($view_change pixels)"
[ "$(xdotool getmouselocation | cut -d' ' -f1-2)" = "x:512 y:384" ] ||
    fail "the cursor was not put back at the centre: $(xdotool getmouselocation)"

# With its centre off the screen the cursor cannot be put there: where it
# comes to rest turns nothing.
xdotool windowmove "$window" 900 0 && sleep 0.5 && screenshot "$window" "$scratch/moved.png" &&
    sleep 1 && screenshot "$window" "$scratch/moved-later.png" || fail "no screenshots of the moved window"
[ "$(differing_pixels "$scratch/moved.png" "$scratch/moved-later.png")" = 0 ] ||
    fail "the view turns by itself while the window's centre is off the screen"

# Several seconds have passed since the first report.
[ "$(grep -c '^[0-9]*\.[0-9]\{6\} ms/frame$' "$log")" -ge 3 ] || fail "no report each second"

end_game_with_escape
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
echo "PASS: reports, scene drawn, food eaten, score line 0/101 then 1/101, Escape ends with 0"
