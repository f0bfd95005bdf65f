#!/bin/sh
# Takes the pictures that bench/look_figures.py turns into numbers: the same
# places in one seeded maze, so that data directories before and after a
# change to the shaders or textures can be set side by side.
#   start         where every run begins
#   wall-0.2      facing a pillar from the passage beside it, 0.2, 0.45 and
#   wall-0.45     1.0 units away (0.15 is the nearest the player can come)
#   wall-1.0
#   corner        a room corner whose pillar touches the room only diagonally,
#                 the eye 0.014 units from the pillar's edge
#   corridor      along the longest straight corridor, 28 units
#   trophy        from the last room through the exit opening to the sculpture
#   wall-below    1.0 units from the pillar looking 20 degrees down, so that
#                 lit stone lies behind the score line
# Arguments: the build directory, the data directory, the directory to write
# the PNGs into.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/game-session.sh"
rerun_under_display "$0" "$@"
build=$1
data=$2
out=$3
mkdir -p "$out"

view() {
    name=$1
    shift
    "$here/view-screenshot.sh" "$build" "$data" "$out/$name.png" --seed 7 "$@" >/dev/null
}

view start
view wall-0.2 --at 4,1.7,1.2,180
view wall-0.45 --at 4,1.7,1.45,180
view wall-1.0 --at 4,1.7,2.0,180
view corner --at 2.99,1.7,2.99,45
view corridor --at 10,1.7,2,90
view trophy --at 38,1.7,38,0
view wall-below --at 4,1.7,2.0,180,-20
echo "$out"
