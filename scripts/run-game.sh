#!/bin/sh
# Starts the game with data/ as its working directory. Without a reachable X
# display it plays a few seconds under a virtual X server instead, saves a
# screenshot to build/screenshot.png, ends the game with Escape and prints what
# the game printed and its exit code.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
binary=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cd "$root/data"
    exec "$binary"
fi

echo "No X display: playing a few seconds under a virtual X server."
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    "$root/scripts/run-game-headless.sh" "$binary" "$root/data" "$root/build/screenshot.png"
