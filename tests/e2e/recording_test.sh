#!/bin/sh
# Recordings survive how a run ends: a run recording a short walk ends by
# SIGTERM as the shell expects (143), and its file replays to the very view
# the run reached (that SIGINT and SIGHUP end the run as SIGTERM does is
# proven in-process, tests/app/ReplayFileTest.cpp). A second
# game cannot record into the file the first is recording, and a recording
# onto a full disk is said on standard error and ends the run with 3. A full
# FIFO, its reader no longer reading, holds no frame: SIGTERM ends the game
# at once, and what reached the FIFO is whole lines (lines still waiting when
# the game ends otherwise are said as a failed write: tests/app).
# Arguments: the game binary, the data directory, a scratch directory.
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
game=$1 data=$2 scratch=$3
rm -rf "$scratch" && mkdir -p "$scratch"
log="$scratch/game.log"
fail() { echo "FAIL: $*"; echo "---- game console ----"; cat "$log"; exit 1; }

recording="$scratch/run.replay"
centre_pointer
start_game "$game" "$data" "$log" --seed 7 --record "$recording"
wait_for_line "$log" "ms/frame" 30 || fail "the game did not start"
"$game" --record "$recording" 2>"$scratch/second.log"
[ $? = 2 ] && grep -q "is locked by another program" "$scratch/second.log" ||
    fail "a second game recorded into the same file"
xdotool keydown w && sleep 0.5 && xdotool keyup w
wait_for_frames "$log" 60 || fail "the game stopped drawing"
screenshot "$(game_window)" "$scratch/reached.png" || fail "no screenshot"
kill -TERM "$GAME_PID"
wait "$GAME_PID"
[ $? = 143 ] || fail "SIGTERM did not end the game with 143"
start_game "$game" "$data" "$log" --replay "$recording"
wait_for_line "$log" "ms/frame" 30 || fail "the replay did not start"
wait_for_view "$(game_window)" "$scratch/reached.png" "$scratch/replayed.png" 120 ||
    fail "the recording ended by SIGTERM does not replay to where the run was"
end_game_with_escape

start_game "$game" "$data" "$log" --record /dev/full
wait_for_line "$log" "ms/frame" 30 || fail "the game did not start"
end_game_with_escape
[ "$GAME_STATUS" = 3 ] || fail "exit code $GAME_STATUS after a recording onto a full disk"
[ "$(grep -c "^quorralith: record /dev/full: cannot be written (No space left on device)" "$log")" = 1 ] ||
    fail "the failed write was not said once"
# The FIFO is held open here, its reader never reading, and made one page
# long, which the game fills within a second.
stalled="$scratch/stalled.fifo"
mkfifo "$stalled"
exec 3<>"$stalled"
python3 -c 'import fcntl; fcntl.fcntl(3, fcntl.F_SETPIPE_SZ, 4096)'
fifo_bytes() {
    python3 -c 'import array, fcntl, termios; n = array.array("i", [0]); fcntl.ioctl(3, termios.FIONREAD, n); print(n[0])'
}
start_game "$game" "$data" "$log" --record "$stalled"
# Full once frames go on and nothing more goes in: lines now wait.
level=0
until [ "$level" -gt 4000 ] && wait_for_frames "$log" 30 && [ "$(fifo_bytes)" = "$level" ]; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before it filled the FIFO"
    sleep 0.2
    level=$(fifo_bytes)
done
kill -TERM "$GAME_PID"
end_game_with_escape
[ "$GAME_STATUS" = 143 ] || fail "exit code $GAME_STATUS after TERM with the FIFO full"
dd if=/dev/fd/3 iflag=nonblock bs=64k count=1 of="$scratch/fifo.txt" 2>/dev/null
[ "$(tail -c 1 "$scratch/fifo.txt")" = "" ] &&
    awk 'NR == 1 && $0 != "quorralith-replay 1" || NR > 2 && NF != 6 { bad = 1 } END { exit bad || NR < 3 }' \
        "$scratch/fifo.txt" || fail "what reached the FIFO is not whole lines after TERM"
echo "PASS: a recording ended by TERM replays to the view reached; one game to a file; a full disk says so and ends with 3; a stalled FIFO holds no frame and keeps whole lines"
