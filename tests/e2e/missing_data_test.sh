#!/bin/sh
# Every data file missing in turn: the game is started in a copy of the data
# directory without that one file, with a line feed on standard input for the
# loader that waits for a key. It must still start and report frame times,
# its loader must have said that the file is missing, in the words that loader
# uses, and have read the key if that loader waits for one, and Escape must
# end it with exit code 0. Last, the same in an empty
# directory with nothing on standard input: every loader fails at once.
# With --damaged first, the table of damaged files below instead: what is not
# a regular file must read as a missing file, and the game must run on all
# the same.
# Arguments: [--damaged] the game binary, the data directory, a scratch
# directory, and optionally the data files to try (all of them, and then
# none, by default).
set -u
. "$(dirname "$0")/../../scripts/game-session.sh"
damaged=no
if [ "$1" = --damaged ]; then
    damaged=yes
    shift
fi
game=$1 data=$2 scratch=$3
shift 3
mkdir -p "$scratch"
enter="$scratch/enter"
printf '\n' >"$enter"
failures=0

# has_line LOG TEXT: LOG holds TEXT as a whole line.
has_line() { grep -qFx -- "$2" "$1"; }
# line_after LOG TEXT: prints the line that follows the first line TEXT.
line_after() { awk -v text="$2" 'found { print; exit } $0 == text { found = 1 }' "$1"; }

# reported_missing FILE LOG: the loader of FILE (chosen by its ending, as the
# game chooses) said that it could not be opened.
reported_missing() {
    missing=$1 console=$2
    opened_fail="$missing could not be opened. Are you in the right directory ? Don't forget to read the FAQ !"
    case "$missing" in
        *.obj)
            # The message does not name the file: it must come right after
            # the line that does.
            [ "$(line_after "$console" "Loading OBJ file $missing...")" = \
                "Impossible to open the file ! Are you in the right path ? See Tutorial 1 for details" ]
            ;;
        *.vertexshader)
            # The build stops there: nothing is compiled from this pair.
            has_line "$console" "Impossible to open $missing. Are you in the right directory ? Don't forget to read the FAQ !" &&
                ! has_line "$console" "Compiling shader : $missing"
            ;;
        *.fragmentshader)
            # No message of its own: it is compiled from an empty text, and
            # only the compiler's and linker's logs tell.
            has_line "$console" "Compiling shader : $missing" &&
                ! grep -F -- "$missing" "$console" | grep -qvFx -- "Compiling shader : $missing"
            ;;
        *.[dD][dD][sS])
            has_line "$console" "$opened_fail"
            ;;
        *.[bB][mM][pP])
            has_line "$console" "Reading image $missing" && has_line "$console" "$opened_fail"
            ;;
        *)
            echo "no loader message known for $missing: teach this test its loader's words"
            return 1
            ;;
    esac
}

# input_offset: how far the running game has read its standard input.
input_offset() {
    awk '/^pos:/ { print $2 }' "/proc/$GAME_PID/fdinfo/0"
}

# waited_for_key FILE LOG: the game read its standard input exactly when the
# loader of FILE waits for a key after missing it (all but a fragment shader's
# do). Read from the file offset of the running game's standard input.
waited_for_key() {
    offset=$(input_offset)
    case "$1" in
        *.fragmentshader) [ "$offset" = 0 ] ;;
        *) [ "$offset" != 0 ] ;;
    esac
}

# reported_and_waited FILE LOG: what a missing FILE must do to the console and
# to standard input.
reported_and_waited() {
    reported_missing "$1" "$2" && waited_for_key "$1" "$2"
}

# nothing_found LOG: with no data at all, every loader said that its file is
# missing. Every vertex shader is missing too, so no fragment shader is read
# and nothing is compiled.
nothing_found() {
    for each in $files; do
        case "$each" in
            *.fragmentshader) ;;
            *) reported_missing "$each" "$1" || return 1 ;;
        esac
    done
    ! grep -q "^Compiling shader : " "$1"
}

# run_game_in DIR LOG INPUT CHECK...: runs the game in DIR with INPUT on its
# standard input until its first frame-time report, runs CHECK with LOG added
# as its last argument, and ends the game with Escape; says what went wrong.
run_game_in() {
    dir=$1 log=$2 input=$3
    shift 3
    start_game_reading "$input" "$game" "$dir" "$log"
    if ! wait_for_line "$log" "ms/frame" 30; then
        kill "$GAME_PID" 2>/dev/null
        wait "$GAME_PID"
        echo "no frame-time report (exit code $?)"
        return 1
    fi
    # The game is ended whatever its console says, so that no window of
    # this run is left to take the next run's keys.
    reported=yes
    "$@" "$log" || reported=no
    end_game_with_escape
    [ "$reported" = yes ] || { echo "the loaders' reports or waits are not as expected"; return 1; }
    [ "$GAME_STATUS" = 0 ] || { echo "exit code $GAME_STATUS after Escape"; return 1; }
}

# run_without FILE [MAKER ARGUMENTS...]: one run of the game with FILE
# missing from its data, or replaced by what MAKER makes of the arguments.
run_without() {
    file=$1 dir="$scratch/without-$1"
    rm -rf "$dir"
    cp -R "$data" "$dir"
    rm "$dir/$file"
    if [ $# -gt 1 ]; then
        maker=$2 && shift 2 && "$maker" "$dir/$file" "$@"
    fi
    run_game_in "$dir" "$scratch/without-$file.log" "$enter" reported_and_waited "$file"
}

# run_with_nothing: one run in an empty directory, with standard input at
# its end, so that every loader fails and none of them has a key to read.
run_with_nothing() {
    rm -rf "$scratch/nothing"
    mkdir "$scratch/nothing"
    run_game_in "$scratch/nothing" "$scratch/nothing.log" /dev/null nothing_found
}

# The files that are not files, one of each kind (every loader reads through
# the same check): the file, then a maker below and its arguments. Damaged
# contents are the loaders' own tests.
damages='suzanne.obj directory
foodShader.vertexshader fifo
normal.bmp device /dev/urandom'

directory() { mkdir "$1"; }
fifo() { mkfifo "$1"; }
device() { ln -s "$2" "$1"; }

# record NAME LOG REASON STATUS: prints the outcome of one run.
record() {
    if [ "$4" = 0 ]; then
        echo "ok: $1"
    else
        failures=$((failures + 1))
        echo "FAIL: $1: $3"
        echo "---- game console ----"
        cat "$2"
    fi
}

centre_pointer
if [ "$damaged" = yes ]; then
    while read -r file damage; do
        # shellcheck disable=SC2086 # the table's words hold no spaces
        reason=$(run_without "$file" $damage)
        record "$file $damage" "$scratch/without-$file.log" "$reason" $?
    done <<EOF
$damages
EOF
    [ "$failures" = 0 ] || exit 1
    echo "PASS: every run with a damaged data file reported it as its loader does and quit with 0"
    exit 0
fi
files=$(cd "$data" && ls)
[ -n "$files" ] || { echo "FAIL: no data files in $data"; exit 1; }
tried_all=no
if [ $# = 0 ]; then
    tried_all=yes
    # shellcheck disable=SC2086 # the data files' names hold no spaces
    set -- $files
fi
for file in "$@"; do
    reason=$(run_without "$file")
    record "without $file" "$scratch/without-$file.log" "$reason" $?
done
if [ "$tried_all" = yes ]; then
    reason=$(run_with_nothing)
    record "without any data file" "$scratch/nothing.log" "$reason" $?
fi
[ "$failures" = 0 ] || exit 1
echo "PASS: every run without data files started, reported what was missing and quit with 0"
