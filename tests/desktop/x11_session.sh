# Helpers for driving the program on an X server with xdotool; sourced by the desktop test
# and by scripts/screenshots.sh.

# Starts the window manager, so that windows get frames and the keyboard focus; its process
# id is left in WINDOW_MANAGER_PID.
start_window_manager() {
    openbox --sm-disable >/dev/null 2>&1 &
    WINDOW_MANAGER_PID=$!
    sleep 0.5
}

# Prints the id of the first window whose name matches, if any.
window() { xdotool search --name "$1" 2>/dev/null | head -1 || true; }
has_window() { [[ -n "$(window "$1")" ]]; }

# Waits up to $2 seconds (default 10) for a window whose name matches and prints its id.
wait_window() {
    local tries=$(( ${2:-10} * 5 )) id
    while ((tries--)); do
        id=$(window "$1")
        [[ -n "$id" ]] && { echo "$id"; return; }
        sleep 0.2
    done
    echo "no window named $1" >&2
    return 1
}

# The screen position of a window's client area: origin ID X|Y.
origin() { xwininfo -id "$1" | sed -n "s/^ *Absolute upper-left $2: *//p"; }

# Clicks at a point of a window's client area: click_in ID X Y.
click_in() {
    xdotool mousemove $(( $(origin "$1" X) + $2 )) $(( $(origin "$1" Y) + $3 )) click 1
}
