#!/bin/sh
# Recordings survive how a run ends. For SIGTERM, SIGINT and SIGHUP: a run
# recording a short walk ends by the signal as the shell expects (128 + its
# number), and its file replays to the very view the run reached. A second
# game cannot record into the file the first is recording, and a recording
# onto a full disk is said on standard error and ends the run with 3.
# Arguments: the game binary, the data directory, a scratch directory.
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
game=$1 data=$2 scratch=$3
rm -rf "$scratch" && mkdir -p "$scratch"
log="$scratch/game.log"
fail() { echo "FAIL: $*"; echo "---- game console ----"; cat "$log"; exit 1; }

for signal in TERM:143 INT:130 HUP:129; do
    name=${signal%:*} status=${signal#*:} recording="$scratch/$name.replay"
    centre_pointer
    start_game "$game" "$data" "$log" --seed 7 --record "$recording"
    wait_for_line "$log" "ms/frame" 30 || fail "the game did not start"
    if [ "$name" = TERM ]; then
        "$game" --record "$recording" 2>"$scratch/second.log"
        [ $? = 2 ] && grep -q "is locked by another program" "$scratch/second.log" ||
            fail "a second game recorded into the same file"
    fi
    xdotool keydown w && sleep 0.5 && xdotool keyup w
    wait_for_frames "$log" 60 || fail "the game stopped drawing"
    screenshot "$(game_window)" "$scratch/$name.reached.png" || fail "no screenshot"
    kill -"$name" "$GAME_PID"
    wait "$GAME_PID"
    [ $? = "$status" ] || fail "SIG$name did not end the game with $status"
    start_game "$game" "$data" "$log" --replay "$recording"
    wait_for_line "$log" "ms/frame" 30 || fail "the replay did not start"
    wait_for_view "$(game_window)" "$scratch/$name.reached.png" "$scratch/$name.replayed.png" 120 ||
        fail "the recording ended by SIG$name does not replay to where the run was"
    end_game_with_escape
done

start_game "$game" "$data" "$log" --record /dev/full
wait_for_line "$log" "ms/frame" 30 || fail "the game did not start"
end_game_with_escape
[ "$GAME_STATUS" = 3 ] || fail "exit code $GAME_STATUS after a recording onto a full disk"
[ "$(grep -c "^quorralith: record /dev/full: cannot be written (No space left on device)" "$log")" = 1 ] ||
    fail "the failed write was not said once"
echo "PASS: recordings ended by TERM, INT and HUP replay to the view reached; one game to a file; a full disk says so and ends with 3"
