# Sourced by the measurement scripts. zephyx_focus_game_window PID: waits for the ZEPHYX window
# of that process on $DISPLAY, focuses it and sets $window; exits when it does not appear.
zephyx_focus_game_window() {
    local pid=$1
    # The window may be made again once the renderer is chosen: look once it has settled.
    sleep 1
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --pid "$pid" --onlyvisible --name '^ZEPHYX$' 2>/dev/null | tail -1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "the ZEPHYX window did not appear" >&2; exit 1; }
    xdotool windowfocus --sync "$window"
}
