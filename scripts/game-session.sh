# Shell functions for driving the real game in an X display (a virtual one in
# tests and headless runs). Sourced by scripts/run-game.sh and tests/e2e/*.sh;
# they expect DISPLAY to name a server that this process started.

# Puts the pointer where the game will centre it, so that the first frame reads
# no cursor offset and the view starts straight ahead.
centre_pointer() {
    xdotool mousemove 512 384
}

# has_display: true when DISPLAY names an X server that answers.
has_display() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# rerun_under_display SCRIPT [ARGUMENTS...]: unless an X server answers,
# starts SCRIPT again under a virtual one of its own, in place of the caller.
rerun_under_display() {
    has_display && return 0
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"
}

# collect_frame_times NAME BINARY DATA_DIR SECONDS [ARGUMENTS...]: runs the
# game (or the floor) for SECONDS after its first report and ends it with
# Escape. Appends the median of its "ms/frame" figures (the first report,
# which holds the start-up, left out) to NAME.median, and the CPU time of one
# frame in ms to NAME.cpu, all threads of the process together (llvmpipe
# rasterises in threads of its own). Fails, showing the console, when no
# report comes.
collect_frame_times() {
    frame_name=$1
    frame_binary=$2
    frame_data=$3
    frame_seconds=$4
    shift 4
    frame_log=$(mktemp)
    centre_pointer
    start_game "$frame_binary" "$frame_data" "$frame_log" "$@"
    if ! wait_for_line "$frame_log" "ms/frame" 20; then
        echo "$frame_binary did not report a frame time:" >&2
        cat "$frame_log" >&2
        kill "$GAME_PID" 2>/dev/null
        rm -f "$frame_log"
        return 1
    fi
    cpu_start=$(cpu_ticks "$GAME_PID")
    wall_start=$(date +%s.%N)
    sleep "$frame_seconds"
    cpu_end=$(cpu_ticks "$GAME_PID")
    wall_end=$(date +%s.%N)
    # A game that outlives Escape has been ended by force; its figures stand.
    end_game_with_escape || true
    run_figures=$(mktemp)
    grep "ms/frame" "$frame_log" | tail -n +2 | cut -d' ' -f1 >"$run_figures"
    median "$run_figures" >>"$frame_name.median"
    # Frames run in the interval: its length over the mean frame time.
    awk -v c0="$cpu_start" -v c1="$cpu_end" -v w0="$wall_start" -v w1="$wall_end" \
        -v hz="$(getconf CLK_TCK)" '{ sum += $1; n++ }
        END { if (n == 0) { print "nan"; exit }
              printf "%.2f\n", (c1 - c0) * 1000 / hz * (sum / n) / ((w1 - w0) * 1000) }' \
        "$run_figures" >>"$frame_name.cpu"
    rm -f "$frame_log" "$run_figures"
}

# cpu_ticks PID: user and system CPU time of the process, all its threads, in
# clock ticks.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# ratios NUMERATORS DENOMINATORS: line by line, the first file's numbers over
# the second's.
ratios() {
    paste "$1" "$2" | awk '{ printf "%.3f\n", $1 / $2 }'
}

# spread FILE: "minimum, median, maximum" of the numbers in FILE.
spread() {
    printf "%.3f, %.3f, %.3f" "$(sort -g "$1" | head -n 1)" "$(median "$1")" "$(sort -g "$1" | tail -n 1)"
}

# median FILE: the median of the numbers in FILE, one per line.
median() {
    sort -g "$1" | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# empty_log LOG: empties LOG before a game starts writing to it. The game's
# own redirection happens in the background, maybe after the caller's first
# look at LOG, and a line left there by an earlier run would pass for new.
empty_log() {
    : >"$1"
}

# start_game BINARY DATA_DIR LOG [ARGUMENTS...]: starts the game in the
# background with line buffered output (so its lines can be read while it
# runs); sets GAME_PID. Arguments are for the bench builds of the game.
start_game() {
    start_game_reading /dev/null "$@"
}

# start_game_reading INPUT BINARY DATA_DIR LOG [ARGUMENTS...]: start_game with
# the file INPUT as the game's standard input (a loader that misses its file
# waits for a key). A background job reads /dev/null unless told otherwise,
# whatever the caller's own standard input is.
start_game_reading() {
    game_input=$1
    game_binary=$2
    game_data=$3
    game_log=$4
    shift 4
    empty_log "$game_log"
    (cd "$game_data" && exec stdbuf -oL -eL "$game_binary" "$@") <"$game_input" >"$game_log" 2>&1 &
    GAME_PID=$!
}

# start_traced_game BINARY DATA_DIR LOG TRACE: start_game, with every GL call
# of the run recorded by apitrace into TRACE. GAME_PID is the tracer's, which
# ends with the game and passes its exit code on.
start_traced_game() {
    start_game apitrace "$2" "$3" trace --output="$4" "$1"
}

# wait_for_line LOG TEXT SECONDS: waits until LOG holds TEXT; fails on time-out
# or when the game has already ended.
wait_for_line() {
    waited=0
    while ! grep -q "$2" "$1" 2>/dev/null; do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            return 1
        fi
        if [ "$waited" -ge "$(($3 * 10))" ]; then
            return 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
}

# wait_for_frames LOG SECONDS: waits for two more frame-time reports in LOG:
# every frame under way at the call has been shown by then, however slowly.
# The log is read ten times a second, so that the wait ends with the second
# report rather than up to a second after it.
wait_for_frames() {
    frames_after=$(($(grep -c "ms/frame" "$1") + 2))
    frames_deadline=$(($(date +%s) + $2))
    until [ "$(grep -c "ms/frame" "$1")" -ge "$frames_after" ]; do
        [ "$(date +%s)" -lt "$frames_deadline" ] || return 1
        sleep 0.1
    done
}

# wait_for_view WINDOW REFERENCE SHOT SECONDS [same|changed]: screenshots
# WINDOW into SHOT until one is REFERENCE to the pixel, or differs from it.
wait_for_view() {
    view_deadline=$(($(date +%s) + $4))
    until screenshot "$1" "$3" && [ "$([ "$(differing_pixels "$2" "$3")" = 0 ] &&
        echo same || echo changed)" = "${5:-same}" ]; do
        [ "$(date +%s)" -lt "$view_deadline" ] || return 1
        sleep 0.5
    done
}

# game_window: prints the id of the game's window.
game_window() {
    timeout 5 xdotool search --sync --onlyvisible --name '^Quorralith$' | head -n 1
}

# screenshot WINDOW FILE: saves the window's pixels (1024 x 768) as PNG, at
# zlib's fastest level: ImageMagick's default spends 0.3 s of CPU on each
# shot for a file a sixth smaller, where tests take dozens of shots.
screenshot() {
    import -window "$1" -quality 10 "$2"
}

# end_game_with_escape: taps Escape and waits for the game; sets GAME_STATUS.
# Kills the game (and fails) if it does not end within a minute.
end_game_with_escape() {
    xdotool key Escape
    waited=0
    while kill -0 "$GAME_PID" 2>/dev/null; do
        if [ "$waited" -ge 600 ]; then
            kill "$GAME_PID"
            GAME_STATUS=timeout
            return 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$GAME_PID"
    GAME_STATUS=$?
}

# The food glows green; the stone of walls and floor is warm (more red than
# blue); the sky is the clear colour. Each takes a pixel as "r,g,b".
is_food() { echo "$1" | awk -F, '{ exit !($2 > $1 + 30 && $2 > $3) }'; }
is_stone() { echo "$1" | awk -F, '{ exit !($1 > $3 && $2 <= $1 + 10) }'; }

# check_start_view FILE: true when the screenshot of the view from the
# entrance shows the first room's food cube straight ahead and below the eye,
# floor at the bottom and walls left and right at eye height; otherwise says
# what is missing. Stone is read as a small patch's mean, so that a mortar
# joint on the spot does not hide it.
check_start_view() {
    is_food "$(pixel "$1" 512 625)" || { echo "no food cube ahead"; return 1; }
    for spot in "512 760" "100 384" "924 384"; do
        # shellcheck disable=SC2086
        is_stone "$(patch_colour "$1" $spot)" || { echo "no stone at $spot"; return 1; }
    done
}

# pixel FILE X Y: prints the pixel's colour as "r,g,b" (0 to 255).
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# score_corner SHOT OUT: the top-left corner of a screenshot, which holds the
# score line.
score_corner() {
    convert "$1" -crop 240x72+0+0 +repage "$2"
}

# differing_pixels A B: how many pixels of two images differ.
differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1
}

# patch_colour FILE X Y: the mean colour of the 16 x 16 pixels around (X, Y),
# as "r,g,b": a surface's colour, whether or not a joint runs through the spot.
patch_colour() {
    convert "$1" -crop "16x16+$(($2 - 8))+$(($3 - 8))" +repage -scale 1x1 ppm:- >"$1.patch.ppm"
    pixel "$1.patch.ppm" 0 0
    rm -f "$1.patch.ppm"
}
