#!/usr/bin/env bash
# Measures the zephyx program's CPU use under Xvfb (640x480x24): on the title, during play with
# the space bar held, and minimised, 10 seconds each. CPU use is the program's user + system
# time from /proc/<pid>/stat over the wall time, in percent of one core.
#
# Xvfb has no GPU. The program notices OpenGL rasterised on the CPU and uses SDL's software
# renderer instead; the second run forces OpenGL, to show what that choice saves.
#
# There is no window manager under bare Xvfb, so minimising is done by unmapping the window,
# which SDL reports as minimised, as it does when a window manager iconifies it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephyx_setup test
cmake --preset default >/dev/null
cmake --build --preset default --target zephyx >/dev/null

seconds=${MEASURE_SECONDS:-10}
display=:${MEASURE_DISPLAY:-71}
ticks_per_second=$(getconf CLK_TCK)
xvfb=""
game=""
trap '[ -n "$game" ] && kill "$game" 2>/dev/null; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null' EXIT

# Fields 14 and 15 of /proc/<pid>/stat (counted from the pid; the name is parenthesised):
# user and system ticks.
cpu_ticks() { sed 's/.*) //' "/proc/$game/stat" | awk '{print $12 + $13}'; }

measure() {
    local label=$1 before after start end
    sleep 2  # settle into the new state
    before=$(cpu_ticks)
    start=$(date +%s.%N)
    sleep "$seconds"
    after=$(cpu_ticks)
    end=$(date +%s.%N)
    awk -v l="$label" -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$start" -v e="$end" \
        'BEGIN { printf "  %-10s %5.1f%% of one core (%d ticks in %.1f s)\n", l, 100 * t / hz / (e - s), t, e - s }'
}

# run_program DESCRIPTION [VARIABLE=value ...]
run_program() {
    local description=$1 window="" status=0
    shift
    echo "$description"
    Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=$display
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

    env "$@" ./build/default/zephyx 2>/dev/null &
    game=$!
    for _ in $(seq 100); do
        window=$(xdotool search --name '^ZEPHYX$' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "the ZEPHYX window did not appear" >&2; exit 1; }
    xdotool windowfocus --sync "$window"

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
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null || true
    xvfb=""
}

run_program "As the program chooses (SDL's software renderer here, as OpenGL has no GPU):"
run_program "OpenGL forced (Mesa rasterising on the CPU):" SDL_RENDER_DRIVER=opengl
