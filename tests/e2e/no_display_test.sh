#!/bin/sh
# With no X server to talk to, how the game ends depends on when it stops:
# a run that gets as far as its window says GLFW failed and exits with -1
# (255 as the shell sees it); a damaged replay is refused before any window,
# with 2 and one line naming the file and the fault, while one whose only
# damage is a cut last line is said and played. Nothing goes to standard
# output either way.
# Arguments: the game binary, the data directory, a scratch directory.
set -u
game=$1 data=$2 scratch=$3
mkdir -p "$scratch"
printf 'quorralith-replay 1\nseed 7\n0x1p+0 0x1p+9' >"$scratch/cut.replay"
printf 'quorralith-replay 1\nseed 7\n0x1p+0 0x1p+9 0x1.8p+8 1024 768 WXYZ...\n' >"$scratch/keys.replay"

# expect STATUS MESSAGE [ARGUMENTS...]: one run without a display.
expect() {
    want_status=$1 want_message=$2
    shift 2
    output=$(cd "$data" && env -u DISPLAY -u WAYLAND_DISPLAY "$game" "$@" 2>"$scratch/err")
    status=$?
    message=$(cat "$scratch/err")
    [ "$status" = "$want_status" ] || { echo "FAIL ($*): exit code $status"; exit 1; }
    [ "$message" = "$want_message" ] || { echo "FAIL ($*): stderr was '$message'"; exit 1; }
    [ -z "$output" ] || { echo "FAIL ($*): stdout was '$output'"; exit 1; }
}

expect 255 "Failed to initialize GLFW"
expect 2 "quorralith: replay $scratch/keys.replay: line 3: the keys \"WXYZ...\" are not seven of W S D A R C F, each letter or \".\"" \
    --replay "$scratch/keys.replay"
expect 255 "quorralith: replay $scratch/cut.replay: line 3: cut short (the last line has no line feed); 0 whole frames are replayed
Failed to initialize GLFW" --replay "$scratch/cut.replay"
echo "PASS: no display gives the GLFW message and 255; a damaged replay 2 before any window"
