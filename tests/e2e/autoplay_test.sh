#!/bin/sh
# The wiring of a run that plays itself: with --autoplay --seed N the view
# moves with nobody at the keys, also after the window is moved, a mouse move
# hands the game to the player,
# who then stands still, and Escape ends the game with 0. That the autopilot
# eats everything and shows "Points: 101/101" is proven in-process.
# Arguments: the game binary, the data directory, a scratch directory, a seed.
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
game=$1 data=$2 scratch=$3 seed=$4
mkdir -p "$scratch"
log="$scratch/autoplay.log"
fail() { echo "FAIL: $*"; echo "---- game console ----"; grep -v ms/frame "$log"; exit 1; }

centre_pointer
start_game "$game" "$data" "$log" --autoplay --seed "$seed"
wait_for_line "$log" "ms/frame" 30 || fail "the game did not start"
window=$(game_window)
xdotool windowfocus --sync "$window"
screenshot "$window" "$scratch/playing.png" || fail "no screenshot"
wait_for_view "$window" "$scratch/playing.png" "$scratch/later.png" 120 changed ||
    fail "the view did not move by itself"
# A window moved under a still cursor is no hand on the mouse, whenever in a
# frame it moves: twenty moves, spaced to land in different frames.
for move in $(seq 1 20); do
    xdotool windowmove "$window" $((move % 2 * 100)) 0 && sleep 0.05
done
wait_for_frames "$log" 60 &&
    screenshot "$window" "$scratch/moved.png" || fail "no screenshot of the moved window"
wait_for_view "$window" "$scratch/moved.png" "$scratch/moved-later.png" 120 changed ||
    fail "moving the window took the game from the autopilot"

# A move may land between the game's cursor read and its re-centring, and be
# lost: it is tried up to three times.
for attempt in 1 2 3; do
    xdotool mousemove_relative -- 100 0
    wait_for_frames "$log" 60 || fail "the game stopped drawing"
    screenshot "$window" "$scratch/taken.png" || fail "no screenshot"
    wait_for_frames "$log" 60 || fail "the game stopped drawing"
    screenshot "$window" "$scratch/still.png" || fail "no screenshot"
    [ "$(differing_pixels "$scratch/taken.png" "$scratch/still.png")" = 0 ] && break
done
[ "$(differing_pixels "$scratch/taken.png" "$scratch/still.png")" = 0 ] ||
    fail "the autopilot still steers after the mouse moved"

end_game_with_escape
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
echo "PASS (seed $seed): moved by itself, handed over to the mouse, Escape ends with 0"
