#!/usr/bin/env bash
# Takes a screenshot of the real main window under Xvfb.
# usage: scripts/screenshot.sh BINARY OUT.png [SCALE]
set -euo pipefail
binary=$(realpath "$1")
out=$2
scale=${3:-1}
command -v Xvfb xdotool import >/dev/null

run() {
    local display
    exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
    read -r display <&3
    export DISPLAY=:$display
    QT_SCALE_FACTOR=$scale "$binary" &
    local game=$!
    local window
    window=$(xdotool search --sync --onlyvisible --name '^Prizewell$' | head -n1)
    sleep 1 # let the first paint land
    import -window "$window" "$out"
    kill "$game"
    wait "$game" 2>/dev/null || true
    pkill -P $$ Xvfb 2>/dev/null || true
}
run
