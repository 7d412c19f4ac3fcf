#!/usr/bin/env bash
# Measures the zephyx program's CPU use under Xvfb (640x480x24): on the title, during play with
# the space bar held, and minimised, 10 seconds each. CPU use is the time the program's threads
# ran (/proc/<pid>/task/*/schedstat, in nanoseconds, where the clock ticks of /proc/<pid>/stat
# are too coarse for the title's figure) over the wall time, in percent of one core.
#
# Beside the program, on the same screen and over the same seconds, runs the bare presentation
# (zephyx_bare_loop present: a 640x480 texture refilled and presented through SDL 60 times a
# second, with the renderer the program uses), and each figure is also given as a ratio to it.
# If BASELINE_PROGRAM names another build of zephyx (an older commit, say), it is measured the
# same way after the current one.
#
# Xvfb has no GPU. The program notices OpenGL rasterised on the CPU and uses SDL's software
# renderer instead; the second run forces OpenGL, to show what that choice saves.
#
# There is no window manager under bare Xvfb, so minimising is done by unmapping the window,
# which SDL reports as minimised, as it does when a window manager iconifies it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
source scripts/find_window.sh
zephyx_setup test
cmake --preset default >/dev/null
cmake --build --preset default --target zephyx zephyx_bare_loop >/dev/null

seconds=${MEASURE_SECONDS:-10}
# The first display number from MEASURE_DISPLAY (71) on that no X server holds: another one
# already there would be measured instead of ours.
display_number=${MEASURE_DISPLAY:-71}
while [ -e "/tmp/.X$display_number-lock" ] || [ -e "/tmp/.X11-unix/X$display_number" ]; do
    display_number=$((display_number + 1))
done
display=:$display_number
presenter_program=$PWD/build/default/tools/zephyx_bare_loop
presenter_output=$(mktemp)
# The program's defaults, not the settings a player of this machine chose.
export XDG_CONFIG_HOME=$(mktemp -d)
presenter_environment=()
xvfb=""
game=""
presenter=""
trap 'rm -rf "$presenter_output" "$XDG_CONFIG_HOME"; [ -n "$game" ] && kill "$game" 2>/dev/null; [ -n "$presenter" ] && kill "$presenter" 2>/dev/null; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null' EXIT

# Nanoseconds on the processor of all the process's threads.
cpu_nanoseconds() { cat /proc/"$1"/task/*/schedstat | awk '{sum += $1} END {printf "%.0f\n", sum}'; }

measure() {
    local label=$1 before after bare_before bare_after start end
    sleep 2  # settle into the new state
    before=$(cpu_nanoseconds "$game")
    bare_before=$(cpu_nanoseconds "$presenter")
    start=$(date +%s.%N)
    sleep "$seconds"
    after=$(cpu_nanoseconds "$game")
    bare_after=$(cpu_nanoseconds "$presenter")
    end=$(date +%s.%N)
    if ! kill -0 "$game" 2>/dev/null || ! kill -0 "$presenter" 2>/dev/null; then
        echo "  $label: the program or the bare presenter ended during the measurement" >&2
        exit 1
    fi
    awk -v l="$label" -v t=$((after - before)) -v b=$((bare_after - bare_before)) \
        -v s="$start" -v e="$end" \
        'BEGIN { w = (e - s) * 1e9; printf "  %-10s %5.2f%% of one core, bare presentation %5.2f%%: %.2fx (%.1f s)\n",
                 l, 100 * t / w, 100 * b / w, (b > 0 ? t / b : 0), w / 1e9 }'
}

# run_program DESCRIPTION PROGRAM [VARIABLE=value ...]: the variables go to the program and
# the bare presenter alike; presenter_environment to the presenter alone.
run_program() {
    local description=$1 binary=$2 window="" status=0
    shift 2
    echo "$description"
    Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=$display
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

    env "$@" "${presenter_environment[@]}" "$presenter_program" present >"$presenter_output" 2>/dev/null &
    presenter=$!
    env "$@" "$binary" 2>/dev/null &
    game=$!
    zephyx_focus_game_window "$game"
    sed 's/^/  /' "$presenter_output"

    measure title
    xdotool keydown space
    measure playing
    xdotool keyup space
    xdotool windowunmap --sync "$window"
    measure minimised
    xdotool windowmap --sync "$window"
    xdotool windowfocus --sync "$window"
    xdotool key Escape
    wait "$game" || status=$?
    game=""
    echo "  closed by Escape, exit code $status"
    kill "$presenter" 2>/dev/null || true  # gone already if the window closed under it
    presenter=""
    kill "$xvfb"
    wait 2>/dev/null || true
    xvfb=""
}

# The bare presenter gets SDL's software renderer, as the program chooses it here.
presenter_environment=(SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0)
run_program "As the program chooses (SDL's software renderer here, as OpenGL has no GPU):" \
    build/default/zephyx
if [ -n "${BASELINE_PROGRAM:-}" ]; then
    run_program "The baseline build $BASELINE_PROGRAM, the same way:" "$BASELINE_PROGRAM"
fi
presenter_environment=()
run_program "OpenGL forced (Mesa rasterising on the CPU):" build/default/zephyx SDL_RENDER_DRIVER=opengl
