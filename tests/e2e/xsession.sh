# Shared by the end-to-end scripts: a private Xvfb display, optionally managed by openbox, and
# the player's hands (xdotool). Run inside dbus-run-session so no session bus outlives the test.

XVFB_PID=
WM_PID=
WM_HOME=
GAME_PID=

start_display() {
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    # Without -noreset the server resets whenever its last client leaves and drops whoever is
    # connecting meanwhile: a probe that comes and goes (xdotool, the accessibility library's
    # look-up of its bus) would take the game's connection down with it.
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=:$display
}

# openbox with its stock key bindings (Alt+F4 closes the active window), writing its log into
# a private directory instead of the user's home.
start_wm() {
    WM_HOME=$(mktemp -d)
    XDG_CONFIG_HOME=$WM_HOME XDG_CACHE_HOME=$WM_HOME XDG_DATA_HOME=$WM_HOME \
        openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >/dev/null 2>&1 &
    WM_PID=$!
    wait_for 10 wm_running || fail "openbox did not start"
}

wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

stop_all() {
    local pid
    for pid in $GAME_PID $WM_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [ -z "$WM_HOME" ] || rm -rf "$WM_HOME"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_for SECONDS COMMAND...: polls until COMMAND succeeds.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
}

# Visible windows whose title is exactly $1.
windows_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

window_count() {
    windows_named "$1" | grep -c . || true
}

has_windows() {
    [ "$(window_count "$1")" -eq "$2" ]
}

# Origin and size of a window's client area on the screen (xdotool misplaces framed windows).
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} END {print x, y, w, h}'
}

window_origin() {
    window_geometry "$1" | cut -d' ' -f1,2
}

# xdotool's --sync waits for a motion, so it is left out where the pointer already is.
click_at() {
    if [[ "$(xdotool getmouselocation)" == "x:$1 y:$2 "* ]]; then
        xdotool click 1
    else
        xdotool mousemove --sync "$1" "$2" click 1
    fi
}
