#!/bin/sh
# A long walk through the real game, to show that nothing piles up while it
# runs: W, A, S and D are held in turns, sometimes running (Left Shift) or
# crouching (Left Control), and the mouse turns the view between steps. The
# game's resident memory is read after the first ten seconds and again at the
# end; the soak passes only when the two lie within 1 MB (1024 kB) of each
# other, the walk visibly reached the game, and Escape then ends the game with
# exit code 0.
# While the view moves, the GL driver's working memory for each frame comes
# and goes and the resident size swings by about a megabyte from one instant
# to the next. Standing still it settles on what the process keeps, which is
# what a leak would raise: so each reading is taken with the player standing
# still, as the lowest of many samples.
# The game always gets a virtual X server of its own: the walk holds keys and
# moves the pointer, which must not land on anyone's desktop.
# Arguments: the game binary, the data directory, [SECONDS, default 300].
set -u
inside_marker=--inside-own-x-server
if [ "${1:-}" != "$inside_marker" ]; then
    if [ "$#" -lt 2 ]; then
        echo "usage: $0 BINARY DATA_DIR [SECONDS]" >&2
        exit 2
    fi
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$inside_marker" "$@"
fi
shift
binary=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$(cd "$2" && pwd)
seconds=${3:-300}
# The first reading is taken after this many seconds; by then the assets, the
# maze and the renderer's first frames are resident.
settle_seconds=10
allowed_growth_kb=1024
# How long the player stands still before a reading, and how it is sampled.
still_seconds=1
sample_count=30
sample_interval_seconds=0.1
if [ "$seconds" -le "$settle_seconds" ]; then
    echo "soak: SECONDS must exceed $settle_seconds" >&2
    exit 2
fi
. "$(dirname "$0")/game-session.sh"

work=$(mktemp -d)
GAME_PID=
held_keys="w a s d Shift_L Control_L"
release_keys() {
    for key in $held_keys; do
        xdotool keyup "$key" 2>/dev/null
    done
}
finish() {
    release_keys
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID"
    fi
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM
fail() {
    echo "soak: $*"
    echo "---- game console (last lines) ----"
    tail -n 20 "$work/game.log"
    echo FAIL
    exit 1
}

# status_kb FIELD: the field of the game's /proc status line, in kB.
status_kb() {
    awk -v field="$1:" '$1 == field { print $2 }' "/proc/$GAME_PID/status"
}
now() { date +%s.%N; }
# elapsed_since T: whole seconds since T.
elapsed_since() {
    awk -v t0="$1" -v t="$(now)" 'BEGIN { printf "%d", t - t0 }'
}
# nth INDEX WORD...: the word at INDEX (from 0) of the list, taken cyclically.
nth() {
    index=$1
    shift
    shift $((index % $#))
    echo "$1"
}
# still_resident_kb: with every key released, the lowest and the highest of
# the resident sizes sampled while the player stands still, "LOW HIGH" in kB.
still_resident_kb() {
    release_keys
    sleep "$still_seconds"
    sample=0
    while [ "$sample" -lt "$sample_count" ]; do
        status_kb VmRSS
        sleep "$sample_interval_seconds"
        sample=$((sample + 1))
    done | sort -n | awk 'NF { if (!low) low = $1; high = $1 } END { if (low) print low, high }'
}
# differing_pixels A B: how many pixels of two screenshots differ noticeably.
differing_pixels() {
    compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1
}

# One step of the walk. Forward comes up most often, so that the player gets
# on through the maze rather than shuffling in one room; the turns lean to the
# right over a cycle, so the walk keeps facing new corridors, and the pitch
# changes cancel out, so the view never ends up pointing at the floor or sky.
walk_step() {
    step=$1
    key=$(nth "$step" w w d w a w s w w)
    hold=$(nth "$step" 0.4 0.9 0.6 1.2 0.5 0.8 0.7)
    turn_x=$(nth "$step" 60 -35 90 -20 -70 45 0 -50 110 -40 25)
    turn_y=$(nth "$step" 6 0 -6 10 0 -10 0)
    modifier=
    if [ $((step % 5)) = 2 ]; then
        modifier=Shift_L
    elif [ $((step % 7)) = 3 ]; then
        modifier=Control_L
    fi
    # Nothing else runs in this server, but keys go wherever the focus is.
    timeout 5 xdotool windowfocus --sync "$window"
    xdotool mousemove_relative -- "$turn_x" "$turn_y"
    [ -n "$modifier" ] && xdotool keydown "$modifier"
    xdotool keydown "$key"
    sleep "$hold"
    xdotool keyup "$key"
    [ -n "$modifier" ] && xdotool keyup "$modifier"
}

# walk_until SECONDS: walks until that long after the start.
walk_until() {
    while [ "$(elapsed_since "$started")" -lt "$1" ]; do
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during the walk"
        walk_step "$steps"
        steps=$((steps + 1))
    done
}

centre_pointer
started=$(now)
start_game "$binary" "$data" "$work/game.log"
wait_for_line "$work/game.log" "ms/frame" 30 || fail "the game did not report a frame time"
# stdbuf and the subshell exec into the game: anything else here would measure
# the wrong process.
[ "$(readlink "/proc/$GAME_PID/exe")" = "$(readlink -f "$binary")" ] ||
    fail "process $GAME_PID is not $binary"
window=$(game_window)
[ -n "$window" ] || fail "no window titled Quorralith"
timeout 5 xdotool windowfocus --sync "$window" || fail "the game window cannot take the focus"
screenshot "$window" "$work/start.png" || fail "no screenshot at the start"

steps=0
walk_until "$settle_seconds"
settled_seconds=$(elapsed_since "$started")
settled_range=$(still_resident_kb)
[ -n "$settled_range" ] || fail "no resident memory figure after $settle_seconds s"
settled_kb=${settled_range% *}
screenshot "$window" "$work/settled.png" || fail "no screenshot after $settle_seconds s"
[ "$(differing_pixels "$work/start.png" "$work/settled.png")" -gt 0 ] ||
    fail "the view did not change: the walk does not reach the game"

walk_until "$seconds"
end_seconds=$(elapsed_since "$started")
end_range=$(still_resident_kb)
peak_kb=$(status_kb VmHWM)
if [ -z "$end_range" ] || [ -z "$peak_kb" ]; then
    fail "no memory figures at the end"
fi
end_kb=${end_range% *}
end_game_with_escape
status=$GAME_STATUS
GAME_PID=

growth_kb=$((end_kb - settled_kb))
echo "walk: $steps steps in $end_seconds s"
echo "resident after $settled_seconds s: $settled_kb kB (standing still; samples up to ${settled_range#* } kB)"
echo "resident at the end ($end_seconds s): $end_kb kB (standing still; samples up to ${end_range#* } kB)"
echo "difference: $growth_kb kB (allowed: $allowed_growth_kb kB either way)"
echo "peak resident: $peak_kb kB"
echo "exit code after Escape: $status"
if [ "$status" = 0 ] && [ "${growth_kb#-}" -le "$allowed_growth_kb" ]; then
    echo PASS
else
    echo FAIL
    exit 1
fi
