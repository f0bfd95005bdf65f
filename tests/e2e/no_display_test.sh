#!/bin/sh
# With no X server to talk to, the game says so on standard error and exits
# with -1 (255 as the shell sees it), printing nothing else.
# Arguments: the game binary, the data directory.
set -u
game=$1 data=$2
errors=$(mktemp)
output=$(cd "$data" && env -u DISPLAY -u WAYLAND_DISPLAY "$game" 2>"$errors")
status=$?
message=$(cat "$errors")
rm -f "$errors"
[ "$status" = 255 ] || { echo "FAIL: exit code $status"; exit 1; }
[ "$message" = "Failed to initialize GLFW" ] || { echo "FAIL: stderr was '$message'"; exit 1; }
[ -z "$output" ] || { echo "FAIL: stdout was '$output'"; exit 1; }
echo "PASS: no display gives the GLFW message and 255"
