#!/bin/sh
# A damaged replay ends the game with 2 and one line naming the file and the
# fault, before any window: with no X display at all, a window would have
# failed with -1 instead.
# Arguments: the game binary, a scratch directory.
set -u
game=$1 scratch=$2
mkdir -p "$scratch"
printf 'quorralith-replay 1\nseed 7\n0x1p+0 0x1p+9' >"$scratch/cut.replay"
status=0
env -u DISPLAY "$game" --replay "$scratch/cut.replay" >"$scratch/out" 2>"$scratch/err" || status=$?
expected="quorralith: replay $scratch/cut.replay: line 3: cut short (the last line has no line feed)"
[ "$status" = 2 ] || { echo "FAIL: exit code $status, not 2"; cat "$scratch/err"; exit 1; }
[ "$(cat "$scratch/err")" = "$expected" ] || { echo "FAIL: said '$(cat "$scratch/err")'"; exit 1; }
echo "PASS: exit code 2 and '$expected'"
