#!/bin/sh
# Every data file missing in turn: the game is started in a copy of the data
# directory without that one file, with a line feed on standard input for the
# loader that waits for a key. It must still start and report frame times,
# its loader must have said that the file is missing, in the words that loader
# uses, and Escape must end it with exit code 0.
# Arguments: the game binary, the data directory, a scratch directory, and
# optionally the data files to try (all of them by default).
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
game=$1 data=$2 scratch=$3
shift 3
mkdir -p "$scratch"
enter="$scratch/enter"
printf '\n' >"$enter"
failures=0

# has_line LOG TEXT: LOG holds TEXT as a whole line.
has_line() { grep -qFx -- "$2" "$1"; }

# reported_missing FILE LOG: the loader of FILE (chosen by its ending, as the
# game chooses) said that it could not be opened.
reported_missing() {
    file=$1 log=$2
    opened_fail="$file could not be opened. Are you in the right directory ? Don't forget to read the FAQ !"
    case "$file" in
        *.obj)
            has_line "$log" "Loading OBJ file $file..." &&
                has_line "$log" "Impossible to open the file ! Are you in the right path ? See Tutorial 1 for details"
            ;;
        *.vertexshader)
            # The build stops there: nothing is compiled from this pair.
            has_line "$log" "Impossible to open $file. Are you in the right directory ? Don't forget to read the FAQ !" &&
                ! has_line "$log" "Compiling shader : $file"
            ;;
        *.fragmentshader)
            # No message of its own: it is compiled from an empty text, and
            # only the compiler's and linker's logs tell.
            has_line "$log" "Compiling shader : $file" &&
                [ -z "$(grep -F -- "$file" "$log" | grep -vFx -- "Compiling shader : $file")" ]
            ;;
        *.[dD][dD][sS])
            has_line "$log" "$opened_fail"
            ;;
        *.[bB][mM][pP])
            has_line "$log" "Reading image $file" && has_line "$log" "$opened_fail"
            ;;
        *)
            echo "no loader message known for $file: teach this test its loader's words"
            return 1
            ;;
    esac
}

# run_without FILE: one run of the game with FILE missing from its data.
run_without() {
    file=$1
    dir="$scratch/without-$file"
    log="$scratch/without-$file.log"
    rm -rf "$dir"
    cp -R "$data" "$dir"
    rm "$dir/$file"
    start_game "$game" "$dir" "$log" <"$enter"
    if ! wait_for_line "$log" "ms/frame" 30; then
        kill "$GAME_PID" 2>/dev/null
        wait "$GAME_PID"
        echo "no frame-time report (exit code $?)"
        return 1
    fi
    # The game is ended whatever its console says, so that no window of
    # this run is left to take the next run's keys.
    reported=yes
    reported_missing "$file" "$log" || reported=no
    end_game_with_escape
    [ "$reported" = yes ] || { echo "its loader did not report it missing"; return 1; }
    [ "$GAME_STATUS" = 0 ] || { echo "exit code $GAME_STATUS after Escape"; return 1; }
}

centre_pointer
files=${*:-$(cd "$data" && ls)}
[ -n "$files" ] || { echo "FAIL: no data files in $data"; exit 1; }
for file in $files; do
    if reason=$(run_without "$file"); then
        echo "ok: without $file"
    else
        failures=$((failures + 1))
        echo "FAIL: without $file: $reason"
        echo "---- game console ----"
        cat "$scratch/without-$file.log"
    fi
done
[ "$failures" = 0 ] || exit 1
echo "PASS: the game starts, reports and quits with 0 without any one of its data files"
