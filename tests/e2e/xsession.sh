# Shared by the end-to-end scripts: a private Xvfb display, optionally managed by openbox, and
# the player's hands (xdotool). Run inside dbus-run-session so no session bus outlives the test.

XVFB_PID=
WM_PID=
WM_HOME=
GAME_PID=
# What the programs of this session write to stderr is kept here too, for the evidence a failed
# wait saves; the caller's stderr still gets it.
SESSION_LOGS=${SESSION_LOGS:-$(mktemp -d)}
export SESSION_LOGS

start_display() {
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    # Without -noreset the server resets whenever its last client leaves and drops whoever is
    # connecting meanwhile: a probe that comes and goes (xdotool, the accessibility library's
    # look-up of its bus) would take the game's connection down with it.
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r display <"$fifo" || fail "Xvfb did not start"
    rm -f "$fifo"
    export DISPLAY=:$display
    # The first key the test's player presses makes the server switch the keyboard to the XTEST
    # device and announce a new keyboard map. openbox then takes its key bindings away and grabs
    # them again, and a key pressed meanwhile (the F4 of Alt+F4) goes to the game instead. So
    # the first key is pressed now, before anyone listens.
    xdotool key shift
}

# openbox with its stock key bindings (Alt+F4 closes the active window), writing its log into
# a private directory instead of the user's home. Returns once openbox has run its startup
# command, which it does after it has taken over the windows already there and just before it
# waits for events. It names itself the window manager (_NET_SUPPORTING_WM_CHECK) much earlier:
# a window mapped from then until that scan is done has its MapRequest read and left in
# openbox's own queue while it waits for the server, and it is handled only when some other
# event arrives, so the window stays unmapped.
start_wm() {
    WM_HOME=$(mktemp -d)
    XDG_CONFIG_HOME=$WM_HOME XDG_CACHE_HOME=$WM_HOME XDG_DATA_HOME=$WM_HOME \
        openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml \
        --startup "touch $WM_HOME/started" \
        ${PRIZEWELL_E2E_OPENBOX_DEBUG:+--debug} >"$SESSION_LOGS/openbox.log" 2>&1 &
    WM_PID=$!
    wait_for 10 test -e "$WM_HOME/started" || fail "openbox did not start"
}

# Ends the game, the window manager and the display, as started here.
stop_session() {
    local pid
    for pid in $GAME_PID $WM_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    GAME_PID=
    WM_PID=
    XVFB_PID=
    [ -z "$WM_HOME" ] || rm -rf "$WM_HOME"
    WM_HOME=
}

stop_all() {
    stop_session
    rm -rf "$SESSION_LOGS"
}

# start_game COMMAND...: runs the program under test in the background as GAME_PID, its stderr
# also kept for the evidence.
start_game() {
    "$@" 2> >(tee -a "$SESSION_LOGS/game.stderr" >&2) &
    GAME_PID=$!
}

# save_evidence WHY: what a failed wait leaves behind to find its cause, in a new folder under
# $PRIZEWELL_E2E_ARTIFACTS (or the temp dir): every thread's backtrace of the game, the window
# manager and the server, as they are now; their stderr; the screen; the window tree and the
# properties of each top-level window. Prints the folder.
save_evidence() {
    local parent=${PRIZEWELL_E2E_ARTIFACTS:-${TMPDIR:-/tmp}} dir pid name window
    dir=$(mkdir -p "$parent" 2>/dev/null && mktemp -d "$parent/prizewell-e2e.XXXXXX" 2>/dev/null) || {
        echo "no evidence saved: cannot make a folder in '$parent'" >&2
        return 0
    }
    {
        echo "$*"
        date --iso-8601=ns
        uptime
    } >"$dir/why.txt"
    for name in game:$GAME_PID wm:$WM_PID xvfb:$XVFB_PID; do
        pid=${name#*:}
        [ -n "$pid" ] || continue
        if kill -0 "$pid" 2>/dev/null; then
            # gdb stops the process while it reads it and lets it go on afterwards.
            timeout 60 gdb -batch -nx -p "$pid" -ex 'info threads' -ex 'thread apply all bt' \
                >"$dir/${name%%:*}.bt" 2>&1 || true
            cat "/proc/$pid/status" >"$dir/${name%%:*}.status" 2>/dev/null || true
        else
            echo "process $pid is gone" >"$dir/${name%%:*}.bt"
        fi
    done
    cp "$SESSION_LOGS"/* "$dir/" 2>/dev/null || true
    if [ -n "${DISPLAY:-}" ]; then
        timeout 20 import -silent -window root "$dir/screen.png" 2>"$dir/screen.err" || true
        timeout 20 xwininfo -root -tree >"$dir/tree.txt" 2>&1 || true
        timeout 20 xprop -root >"$dir/root.xprop" 2>&1 || true
        while read -r window; do
            {
                echo "== $window"
                timeout 5 xwininfo -id "$window" -stats -wm
                timeout 5 xprop -id "$window"
            } >>"$dir/windows.txt" 2>&1 || true
        done < <(sed -n 's/^ *\(0x[0-9a-f]*\) ".*/\1/p' "$dir/tree.txt")
    fi
    echo "evidence saved in $dir" >&2
}

# A failure while a session is up saves its evidence first.
fail() {
    echo "FAIL: $*" >&2
    [ -z "$XVFB_PID" ] || save_evidence "$*"
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

# Moves the pointer to X Y. xdotool's --sync waits for a motion, so it is left out where the
# pointer already is.
move_to() {
    [[ "$(xdotool getmouselocation)" == "x:$1 y:$2 "* ]] || xdotool mousemove --sync "$1" "$2"
}

click_at() {
    move_to "$1" "$2"
    xdotool click 1
}
