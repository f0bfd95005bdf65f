#!/bin/sh
# The game started with standard output closed, and then with standard input
# closed too, while a shader of hundreds of errors makes it write a long log
# and a missing one makes it wait for a key, both at once: it must keep
# running and end with exit code 0 on Escape.
# Arguments: the game binary, the data directory, a scratch directory.
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
game=$1 data=$2 scratch=$3
rm -rf "$scratch" && cp -R "$data" "$scratch" && rm "$scratch/StandardShading.vertexshader"
{ printf 'void main() {\n' && seq -f '  undeclared%g = 0;' 400 && printf '}\n'; } >"$scratch/suzanne.fragmentshader"

centre_pointer
for closed in '>&-' '>&- <&-'; do
    (cd "$scratch" && eval "exec \"\$game\" $closed 2>errors.log") &
    GAME_PID=$!
    [ -n "$(game_window)" ] && sleep 2 && end_game_with_escape ||
        { kill "$GAME_PID"; echo "FAIL: no window or it did not end with $closed"; exit 1; }
    [ "$GAME_STATUS" = 0 ] || { echo "FAIL: exit code $GAME_STATUS with $closed"; exit 1; }
done
echo "PASS: with closed standard streams the game runs and Escape ends it with 0"
