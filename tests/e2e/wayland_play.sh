#!/usr/bin/env bash
# Runs wayland_play.py against the real program natively on Wayland, under GNOME's compositor
# running headless, with a private runtime directory. Leaves no process behind.
# usage: dbus-run-session -- wayland_play.sh BINARY [starts COUNT [fresh-cache]]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
binary=$(realpath "$1")

XDG_RUNTIME_DIR=$(mktemp -d) # mode 0700
export XDG_RUNTIME_DIR
export WAYLAND_DISPLAY=prizewell-e2e
unset DISPLAY
# Logs for the evidence a failed wait saves (a11y_play.save_evidence).
export SESSION_LOGS=$XDG_RUNTIME_DIR/logs
mkdir "$SESSION_LOGS"
MUTTER_PID=
stop_all() {
    if [ -n "$MUTTER_PID" ]; then
        kill "$MUTTER_PID" 2>/dev/null || true
        wait "$MUTTER_PID" 2>/dev/null || true
    fi
    rm -rf "$XDG_RUNTIME_DIR"
}
trap stop_all EXIT

mutter --headless --wayland --no-x11 --virtual-monitor 1280x800 \
    --wayland-display="$WAYLAND_DISPLAY" >"$SESSION_LOGS/mutter.log" 2>&1 &
MUTTER_PID=$!
export PRIZEWELL_E2E_WM_PID=$MUTTER_PID
for _ in $(seq 200); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    kill -0 "$MUTTER_PID" || break
    sleep 0.05
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || {
    cat "$SESSION_LOGS/mutter.log" >&2
    echo "FAIL: mutter did not start" >&2
    exit 1
}
/usr/bin/python3 "$here/wayland_play.py" "$binary" "${@:2}"
