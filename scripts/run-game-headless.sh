#!/bin/sh
# The headless part of `make run`, inside the virtual X server.
# Arguments: the game binary, its data directory, the screenshot to save.
set -u
. "$(dirname "$0")/game-session.sh"

log=$(mktemp)
centre_pointer
start_game "$1" "$2" "$log"
if wait_for_line "$log" "ms/frame" 20; then
    sleep 2
    window=$(game_window)
    screenshot "$window" "$3" && echo "Screenshot saved to $3"
    end_game_with_escape
else
    echo "The game did not report a frame time; ending it."
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID"
    GAME_STATUS=$?
fi
echo "---- game console ----"
cat "$log"
echo "---- exit code: $GAME_STATUS ----"
rm -f "$log"
[ "$GAME_STATUS" = 0 ]
