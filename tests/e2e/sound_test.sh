#!/bin/sh
# The sound through OpenAL Soft's wave backend, which writes what it plays to
# a file: standing, only the hum; W onto the first cube, and the chime's E6
# (1318.5 Hz, in neither the hum nor the steps) after W went down. --mute opens
# no device; with none (a driver OpenAL does not know) the game plays, ends
# with 0 and says nothing of sound.
# Arguments: the game binary, the data directory, a scratch directory.
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
game=$1 data=$2 scratch=$3
rm -rf "$scratch" && mkdir -p "$scratch"
log="$scratch/game.log"
fail() { echo "FAIL: $*"; echo "---- game console ----"; cat "$log"; exit 1; }

# conf DRIVER: an OpenAL Soft configuration that plays through DRIVER only.
conf() {
    printf '[general]\ndrivers = %s\n[wave]\nfile = %s\n' "$1" "$scratch/heard.wav" >"$scratch/$1" && echo "$scratch/$1"
}
# chime_level FROM [TO]: the loudest sample of the file's band around E6 from
# FROM seconds (to TO): about 0.03 in the chime, under 0.004 in hum and steps.
chime_level() {
    sox "$scratch/heard.wav" -n trim "$1" ${2:+=$2} sinc 1290-1350 stat 2>&1 |
        awk '/Maximum amplitude/ { print $3 }'
}
louder() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

centre_pointer
ALSOFT_CONF=$(conf wave) start_game "$game" "$data" "$log"
wait_for_line "$log" "ms/frame" 30 || fail "the game did not start"
xdotool windowfocus --sync "$(game_window)"
wait_for_frames "$log" 30 || fail "the game stopped reporting"
# The wave backend writes as it plays: what the file holds now was mixed
# before W went down (44,100 stereo frames of 32-bit floats a second).
pressed=$(($(stat -c %s "$scratch/heard.wav") / 352800))
xdotool keydown w
for waited in $(seq 300); do louder "$(chime_level "$pressed")" 0.01 && break; sleep 0.1; done
xdotool keyup w
louder "$(chime_level "$pressed")" 0.01 || fail "no chime after walking onto the first cube"
end_game_with_escape && [ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
louder 0.005 "$(chime_level 0.5 "$pressed")" || fail "the chime's band sounded before W went down"
sox "$scratch/heard.wav" -n trim 0.5 ="$pressed" stat 2>&1 | awk '/RMS +amplitude/ { exit !($3 > 0.001) }' ||
    fail "no hum while standing"

rm "$scratch/heard.wav" && ALSOFT_CONF=$(conf wave) start_game "$game" "$data" "$log" --mute
wait_for_line "$log" "ms/frame" 30 && end_game_with_escape || fail "the muted game did not run"
[ ! -e "$scratch/heard.wav" ] || fail "--mute opened the sound device"

ALSOFT_CONF=$(conf no-such-driver) start_game "$game" "$data" "$log"
wait_for_line "$log" "ms/frame" 30 || fail "the game without a sound device did not start"
end_game_with_escape
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS without a sound device"
unexpected=$(grep -v -e 'ms/frame$' -e '^Loading OBJ file' -e '^Compiling shader' -e '^Linking program' \
    -e '^Reading image' "$log")
[ -z "$unexpected" ] || fail "lines without a sound device: $unexpected"
echo "PASS: the hum standing, the chime after W onto the first cube; --mute and no device are silent"
