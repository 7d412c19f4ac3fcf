#!/usr/bin/env bash
# Measures how evenly the zephyx program paces its frames, on Xvfb (640x480x24), beside a bare
# sleeper in the same run: at the title and in a game (space held), MEASURE_SECONDS (20) each.
#
# The program's frames are time-stamped two ways: by its SDL backend (ZEPHYX_PRESENT_LOG: every
# flip, when its present returned or was left out for an unchanged picture), and from outside
# by an LD_PRELOAD library around SDL_RenderPresent (every real present). The bare sleeper
# (zephyx_bare_loop sleep) sleeps to absolute 60 Hz deadlines beside it: it is the best this
# machine allows, and the program is judged by ratios to it. The figures: frame intervals'
# median, 99th percentile and worst, and the shares within 1 and 2 ms of 1/60 s.
#
# Runs: the program's own choice (on Xvfb the window's surface, which cannot wait for the
# vertical blank), SDL's GPU renderer (llvmpipe here) with vertical sync off and on, and, if
# BASELINE_PROGRAM names another build of zephyx, that build the same way (from outside only).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
source scripts/find_window.sh
cmake --preset default >/dev/null
cmake --build --preset default --target zephyx zephyx_bare_loop zephyx_present_stamps >/dev/null

seconds=${MEASURE_SECONDS:-20}
# The first display number from MEASURE_DISPLAY (73) on that no X server holds: another one
# already there would be measured instead of ours.
display_number=${MEASURE_DISPLAY:-73}
while [ -e "/tmp/.X$display_number-lock" ] || [ -e "/tmp/.X11-unix/X$display_number" ]; do
    display_number=$((display_number + 1))
done
display=:$display_number
program=$PWD/build/default/zephyx
sleeper=$PWD/build/default/tools/zephyx_bare_loop
stamps_library=$PWD/build/default/tools/libzephyx_present_stamps.so
logs=$(mktemp -d)
# The program's defaults, not the settings a player of this machine chose: removed with the logs.
export XDG_CONFIG_HOME=$logs/settings
xvfb=""
game=""
trap '[ -n "$game" ] && kill "$game" 2>/dev/null; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$logs"' EXIT

# run_program NAME PROGRAM [VARIABLE=value ...]: plays the title, then a game, with the bare
# sleeper beside each, and prints both distributions.
run_program() {
    local name=$1 binary=$2 window=""
    shift 2
    Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=$display
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

    env ZEPHYX_PRESENT_LOG="$logs/$name.flips" ZEPHYX_PRESENT_STAMPS="$logs/$name.presents" \
        LD_PRELOAD="$stamps_library" "$@" "$binary" 2>/dev/null &
    game=$!
    zephyx_focus_game_window "$game"

    sleep 2  # settle at the title
    "$sleeper" sleep "$seconds" "$logs/$name.title.sleeper"
    xdotool keydown space
    sleep 2  # into the game
    "$sleeper" sleep "$seconds" "$logs/$name.game.sleeper"
    xdotool keyup space
    xdotool key Escape
    wait "$game" || true
    game=""
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null || true
    xvfb=""

    local sources=()
    [ -s "$logs/$name.flips" ] && sources+=("flips (backend)=$logs/$name.flips")
    sources+=("presents (outside)=$logs/$name.presents")
    for state in title game; do
        python3 scripts/pacing_stats.py "$name, $state" "$logs/$name.$state.sleeper" "${sources[@]}"
    done
    echo
}

echo "Frame intervals in ms; 'shown' counts real presents (the rest were unchanged pictures)."
echo
run_program "surface" "$program"
run_program "gpu, vsync off" "$program" ZEPHYX_RENDERER=gpu ZEPHYX_VSYNC=off
run_program "gpu, vsync on" "$program" ZEPHYX_RENDERER=gpu ZEPHYX_VSYNC=on
if [ -n "${BASELINE_PROGRAM:-}" ]; then
    run_program "baseline" "$BASELINE_PROGRAM"
fi
