#!/bin/sh
# The Debian package as a player gets it: built by CPack, clean for lintian,
# unpacked with dpkg-deb -x into a scratch directory, and its quorralith
# command run from /. --help ends with 0; an unknown option ends with 2 before
# any window (without a display, opening one would end with 255). The start
# view shows floor, walls and food, Escape ends with 0, and the first frames
# of two runs with --seed 7 are identical, of --seed 7 and 8 different.
# Arguments: the build's CPackConfig.cmake, a scratch directory.
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
config=$1 scratch=$2
rm -rf "$scratch" && mkdir -p "$scratch"
log="$scratch/game.log"
fail() { echo "FAIL: $*"; cat "$log" 2>/dev/null; exit 1; }

cpack -G DEB --config "$config" -B "$scratch/package" >"$log" 2>&1 || fail "cpack failed"
deb=$(ls "$scratch"/package/quorralith_*_amd64.deb) || fail "no quorralith_<version>_amd64.deb"
lintian --fail-on error,warning "$deb" || fail "lintian reports the package"
dpkg-deb -x "$deb" "$scratch/root" || fail "dpkg-deb -x failed"
command="$scratch/root/usr/games/quorralith"
cd /

"$command" --help >"$log" || fail "--help did not end with 0"
grep -q -- "--seed N" "$log" || fail "--help lists no options"
DISPLAY='' "$command" --bogus 2>"$log"
status=$?
[ "$status" = 2 ] || fail "exit code $status after an unknown option"

# first_frame SEED NAME: plays with --seed SEED and keeps the view at the start.
first_frame() {
    centre_pointer
    start_game "$command" / "$log" --seed "$1"
    wait_for_line "$log" "ms/frame" 30 || fail "the game did not start"
    screenshot "$(game_window)" "$scratch/$2.png" || fail "no screenshot"
    end_game_with_escape
    [ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
}
first_frame 7 seven
first_frame 7 seven-again
first_frame 8 eight
check_start_view "$scratch/seven.png" || fail "the start view is not floor, walls and food"
[ "$(differing_pixels "$scratch/seven.png" "$scratch/seven-again.png")" = 0 ] ||
    fail "two mazes from seed 7 differ"
[ "$(differing_pixels "$scratch/seven.png" "$scratch/eight.png")" -gt 0 ] ||
    fail "the mazes from seeds 7 and 8 look the same"
echo "PASS: package lintian clean, unpacked command runs from /, seeds repeat"
