#!/bin/sh
# The game plays itself: with --autoplay --seed N it eats every food cube,
# the score line reads "Points: 101/101" (compared pixel for pixel with the
# overlay's own rendering, as the play test does), the closing line is
# printed, and the player ends up standing still. A mouse move then takes
# over: a quarter turn shows nothing beside the player, who therefore stands
# beyond the exit opening, and the view stays so; another, back into the
# maze, puts the score line over the sky, where it is compared. Escape ends
# the game with 0.
# Each seed runs at the same time under a virtual X server of its own, since
# a tour takes over two minutes of game time.
# Arguments: the game binary, the reference renderer, the data directory, a
# scratch directory, and the seeds.
set -u
game=$1 reference=$2 data=$3 scratch=$4
shift 4

if [ "$#" -gt 1 ]; then
    pids=
    for seed in "$@"; do
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
            "$0" "$game" "$reference" "$data" "$scratch/seed$seed" "$seed" &
        pids="$pids $!"
    done
    failed=0
    for pid in $pids; do
        wait "$pid" || failed=1
    done
    exit $failed
fi

. "$(dirname "$0")/../../scripts/game-session.sh"
seed=$1
mkdir -p "$scratch"
log="$scratch/autoplay.log"
fail() { echo "FAIL (seed $seed): $*"; echo "---- game console ----"; grep -v ms/frame "$log"; exit 1; }

"$reference" "$data" "Points: 101/101" "$scratch/reference.ppm" || fail "reference renderer failed"
score_corner "$scratch/reference.ppm" "$scratch/reference.png"

centre_pointer
start_game "$game" "$data" "$log" --autoplay --seed "$seed"
wait_for_line "$log" "ms/frame" 30 || fail "the game did not start"
xdotool windowfocus --sync "$(game_window)"
wait_for_line "$log" "^Points: 101/101, the last food cube eaten after .* s of game time$" 600 ||
    fail "the autopilot did not eat every food cube"
window=$(game_window)
# From the exit opening's food to the end of the tour is a few steps.
sleep 4
screenshot "$window" "$scratch/end.png" || fail "no screenshot"
sleep 1
screenshot "$window" "$scratch/later.png" || fail "no screenshot"
[ "$(differing_pixels "$scratch/end.png" "$scratch/later.png")" = 0 ] ||
    fail "the player has not stopped"
clear_colour=0,0,102
# turn_right FROM TO: a quarter turn to the right by the mouse, seen from the
# screenshot FROM to the screenshot TO. A move may land between the game's
# cursor read and its re-centring, and be lost: it is tried up to three times.
turn_right() {
    for attempt in 1 2 3; do
        xdotool mousemove_relative -- 314 0
        sleep 1
        screenshot "$window" "$2" || fail "no screenshot"
        [ "$(differing_pixels "$1" "$2")" -gt 100000 ] && return 0
    done
    fail "the mouse did not turn the view"
}
# Looking along -x at eye height. From the exit opening the pillar beside it
# fills the view's centre; from beyond it, the pillar's edge (z = 41) lies
# right of the centre, and 20 pixels left of the centre (0.03 rad, towards
# +z) there is nothing: that holds from z = 40.97.
turn_right "$scratch/end.png" "$scratch/side.png"
[ "$(pixel "$scratch/side.png" 492 384)" = "$clear_colour" ] ||
    fail "something stands beside the player: not beyond the exit opening"
sleep 1
screenshot "$window" "$scratch/side-later.png" || fail "no screenshot"
[ "$(differing_pixels "$scratch/side.png" "$scratch/side-later.png")" = 0 ] ||
    fail "the autopilot still steers after the mouse moved"
# Back into the maze: the walls stand low, and the score line lies over the
# sky, as in the reference.
turn_right "$scratch/side.png" "$scratch/back.png"
score_corner "$scratch/back.png" "$scratch/back-corner.png"
[ "$(differing_pixels "$scratch/back-corner.png" "$scratch/reference.png")" = 0 ] ||
    fail "the score line is not 'Points: 101/101'"
end_game_with_escape
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
echo "PASS (seed $seed): Points: 101/101, stopped beyond the exit opening facing the sculpture"
