#!/bin/sh
# Peak resident memory of the real game: it stands at the start position for
# about ten seconds (long enough for every asset, the maze and the renderer's
# first frames to be resident), then Escape ends it. The figures are read from
# /proc just before Escape, while the process still holds everything; the run
# counts only if the game then ends with exit code 0.
# Without an X display the game gets a virtual one of its own.
# Arguments: the game binary, the data directory, [SECONDS, default 10].
set -u
if [ "$#" -lt 2 ]; then
    echo "usage: $0 BINARY DATA_DIR [SECONDS]" >&2
    exit 2
fi
. "$(cd "$(dirname "$0")" && pwd)/../scripts/game-session.sh"
rerun_under_display "$0" "$@"
binary=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$(cd "$2" && pwd)
seconds=${3:-10}

log=$(mktemp)
trap 'rm -f "$log"' EXIT
fail() {
    echo "peak-memory: $*" >&2
    echo "---- game console ----" >&2
    cat "$log" >&2
    kill "$GAME_PID" 2>/dev/null
    exit 1
}

# status_kb FIELD: the field of the game's /proc status line, in kB.
status_kb() {
    awk -v field="$1:" '$1 == field { print $2 }' "/proc/$GAME_PID/status"
}
# in_mb KB: megabytes of 1024 kB, as /proc counts them, one decimal.
in_mb() {
    awk -v kb="$1" 'BEGIN { printf "%.1f", kb / 1024 }'
}

centre_pointer
started=$(date +%s.%N)
start_game "$binary" "$data" "$log"
wait_for_line "$log" "ms/frame" 30 || fail "the game did not report a frame time"
# stdbuf and the subshell exec into the game: anything else here would measure
# the wrong process.
[ "$(readlink "/proc/$GAME_PID/exe")" = "$(readlink -f "$binary")" ] ||
    fail "process $GAME_PID is not $binary"
timeout 5 xdotool windowfocus --sync "$(game_window)" || fail "no game window to focus"
sleep "$(awk -v s="$seconds" -v t0="$started" -v t="$(date +%s.%N)" \
    'BEGIN { r = s - (t - t0); print (r > 0 ? r : 0) }')"

peak_kb=$(status_kb VmHWM)
resident_kb=$(status_kb VmRSS)
if [ -z "$peak_kb" ] || [ -z "$resident_kb" ]; then
    fail "no memory figures for process $GAME_PID"
fi
end_game_with_escape
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
echo "peak resident memory: $(in_mb "$peak_kb") MB (resident before Escape: $(in_mb "$resident_kb") MB)"
